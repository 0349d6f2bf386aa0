// The end of a game (eye collisions, escape) and the restart.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "game/game_over.h"
#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

namespace {
// A craft of radius 2, a planet of radius 60, two asteroids and two enemies.
struct EndOfGame : ::testing::Test {
    ScriptedInputScope scope;
    std::unique_ptr<Camera> camera;
    Model craftModel = sphereOfRadius(2.0f);
    Model planetModel = sphereOfRadius(60.0f);
    Model rockModel = sphereOfRadius(3.0f);
    Model shipModel = sphereOfRadius(1.5f);
    SceneObject craft{&craftModel, false};
    SceneObject planet{&planetModel, true};
    SceneObject rocks[2] = {{&rockModel, true}, {&rockModel, true}};
    SceneObject ships[2] = {{&shipModel, true}, {&shipModel, true}};

    void SetUp() override {
        world = World{};
        camera = std::make_unique<Camera>(nullptr);
        world.camera = camera.get();
        camera->target = &craft;
        world.allObjects = {&craft, &planet, &rocks[0], &rocks[1], &ships[0], &ships[1]};
        world.enemies = {&ships[0], &ships[1]};
        place(craft, {10, 20, 30}, 0, 0);
        place(planet, {-100, 0, 0}, 0, 0);
        place(rocks[0], {150, 150, 150}, 1, 2);
        place(rocks[1], {-150, 100, 120}, 3, 0);
        place(ships[0], {10, 20, 430}, 0, 0);
        place(ships[1], {10, -380, 30}, 0, 0);
    }
    void TearDown() override { world = World{}; }
    void eye(CameraMode mode, glm::vec3 position) {
        camera->mode = mode;
        camera->position = position;
    }
};
}  // namespace

// Free and orbiting eyes end the game within an object's radius plus a tenth; a chasing eye stands
// for a sphere of the craft's radius; the craft itself is no obstacle.
TEST_F(EndOfGame, EyeInsideAnObjectEndsTheGame) {
    const struct {
        CameraMode mode;
        glm::vec3 eye;
        bool over;
    } cases[] = {{CameraMode::Free, {-100 + 60.09f, 0, 0}, true},  {CameraMode::Orbit, {-100, 0, 60.09f}, true},
                 {CameraMode::Free, {-100 + 60.2f, 0, 0}, false},  {CameraMode::Free, {10, 20, 30}, false},
                 {CameraMode::Free, {150, 152.5f, 150}, true},     {CameraMode::Chase, {-100 + 61.9f, 0, 0}, true},
                 {CameraMode::Free, {-100 + 61.9f, 0, 0}, false},  {CameraMode::Chase, {-100 + 62.1f, 0, 0}, false}};
    for (const auto& c : cases) {
        eye(c.mode, c.eye);
        EXPECT_EQ(isGameOver(), c.over) << c.eye.x << "," << c.eye.y << "," << c.eye.z;
    }
}

TEST_F(EndOfGame, EscapedOnlyWhenNoEnemyIsCloserThanFourHundred) {
    EXPECT_TRUE(hasEscaped());  // one enemy at exactly 400, one farther
    // Inside a planet while escaped: both hold, and the game loop reports only the game over.
    eye(CameraMode::Free, planet.position);
    EXPECT_TRUE(isGameOver() && hasEscaped());
    EXPECT_EQ(gameEnd(), GameEnd::Crash);
    place(ships[1], {10, 20 - 399.99f, 30}, 0, 0);
    EXPECT_FALSE(hasEscaped());
    EXPECT_EQ(gameEnd(), GameEnd::Crash);
    eye(CameraMode::Free, {0, 1000, 0});
    EXPECT_EQ(gameEnd(), GameEnd::None);
    world.enemies.clear();
    EXPECT_EQ(gameEnd(), GameEnd::Escape);
    EXPECT_TRUE(hasEscaped());
}

// The craft comes back to its start at rest in its old orientation, which the enemies take too;
// they land on whole coordinates clear of the craft and of every object already placed.
TEST_F(EndOfGame, RestartBringsTheCraftBackAndScattersTheEnemiesInItsOrientation) {
    std::srand(1);
    place(craft, {120, 5, 5}, 0.7f, -0.3f);
    craft.speed = 12.0f;
    world.settings.enemiesFollow = true;
    eye(CameraMode::Free, {1, 2, 3});
    const glm::mat4 rockTransform = rocks[0].transform;

    restartGame();
    EXPECT_EQ(craft.position, glm::vec3(50, -70, -35));
    EXPECT_EQ(glm::vec3(craft.transform[3]), craft.position);
    EXPECT_TRUE(craft.speed == 0.0f && craft.angleZ == 0.7f && craft.angleX == -0.3f);
    EXPECT_EQ(rocks[0].transform, rockTransform);
    EXPECT_EQ(camera->position, glm::vec3(1, 2, 3));
    EXPECT_TRUE(world.settings.enemiesFollow);
    const glm::vec3 firstLayout[2] = {ships[0].position, ships[1].position};
    for (int i = 0; i < 2; ++i) {
        const SceneObject& ship = ships[i];
        EXPECT_TRUE(ship.angleZ == 0.7f && ship.angleX == -0.3f) << i;
        EXPECT_EQ(ship.position, glm::round(ship.position));
        EXPECT_GT(distanceF(ship.position, worldCenter(craft)), worldRadius(craft) + 50.0f);
        for (const SceneObject* object : world.allObjects) {
            // The first ship moves before the second, so it need not avoid the second's new place.
            if (object != &ship && !(i == 0 && object == &ships[1])) {
                EXPECT_FALSE(touchesSphere(*object, 3.0f, ship.position));
            }
        }
    }
    restartGame();
    EXPECT_TRUE(ships[0].position != firstLayout[0] || ships[1].position != firstLayout[1]);
}
