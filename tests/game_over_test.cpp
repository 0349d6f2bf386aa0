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

TEST_F(EndOfGame, FreeOrOrbitingEyeEndsTheGameInsideAnObjectPlusATenth) {
    eye(CameraMode::Free, {-100 + 60.09f, 0, 0});
    EXPECT_TRUE(isGameOver());
    eye(CameraMode::Orbit, {-100, 0, 60.09f});
    EXPECT_TRUE(isGameOver());
    eye(CameraMode::Free, {-100 + 60.2f, 0, 0});
    EXPECT_FALSE(isGameOver());
    eye(CameraMode::Free, craft.position);  // the craft itself is no obstacle
    EXPECT_FALSE(isGameOver());
    eye(CameraMode::Free, {150, 152.5f, 150});
    EXPECT_TRUE(isGameOver());
}

TEST_F(EndOfGame, ChaseEyeStandsForASphereOfTheCraftsRadius) {
    eye(CameraMode::Chase, {-100 + 61.9f, 0, 0});
    EXPECT_TRUE(isGameOver());
    eye(CameraMode::Free, {-100 + 61.9f, 0, 0});
    EXPECT_FALSE(isGameOver());
    eye(CameraMode::Chase, {-100 + 62.1f, 0, 0});
    EXPECT_FALSE(isGameOver());
}

TEST_F(EndOfGame, EscapedOnlyWhenNoEnemyIsCloserThanFourHundred) {
    EXPECT_TRUE(hasEscaped());  // one enemy at exactly 400, one farther
    place(ships[1], {10, 20 - 399.99f, 30}, 0, 0);
    EXPECT_FALSE(hasEscaped());
    world.enemies.clear();
    EXPECT_TRUE(hasEscaped());
}

TEST_F(EndOfGame, GameOverAndEscapeCanHoldTogether) {
    eye(CameraMode::Free, planet.position);
    EXPECT_TRUE(isGameOver());
    EXPECT_TRUE(hasEscaped());
}

TEST_F(EndOfGame, RestartBringsTheCraftBackAndScattersTheEnemiesInItsOrientation) {
    std::srand(1);
    place(craft, {120, 5, 5}, 0.7f, -0.3f);
    craft.speed = 12.0f;
    world.settings.enemiesFollow = true;
    eye(CameraMode::Free, {1, 2, 3});
    const glm::mat4 rockTransforms[2] = {rocks[0].transform, rocks[1].transform};

    restartGame();
    EXPECT_EQ(craft.position, glm::vec3(50, -70, -35));
    EXPECT_EQ(craft.speed, 0.0f);
    EXPECT_EQ(craft.angleZ, 0.7f);
    EXPECT_EQ(craft.angleX, -0.3f);
    EXPECT_EQ(glm::vec3(craft.transform[3]), craft.position);
    EXPECT_EQ(rocks[0].transform, rockTransforms[0]);
    EXPECT_EQ(rocks[1].transform, rockTransforms[1]);
    EXPECT_EQ(camera->position, glm::vec3(1, 2, 3));
    EXPECT_TRUE(world.settings.enemiesFollow);

    const glm::vec3 firstLayout[2] = {ships[0].position, ships[1].position};
    for (int i = 0; i < 2; ++i) {
        const SceneObject& ship = ships[i];
        EXPECT_EQ(ship.angleZ, 0.7f);
        EXPECT_EQ(ship.angleX, -0.3f);
        EXPECT_EQ(ship.position, glm::round(ship.position));
        EXPECT_GT(distanceF(ship.position, worldCenter(craft)), worldRadius(craft) + 50.0f);
        for (const SceneObject* object : world.allObjects) {
            // The second ship moves after the first, so the first need not avoid its new place.
            const bool movedLater = i == 0 && object == &ships[1];
            if (object != &ship && !movedLater) {
                EXPECT_FALSE(touchesSphere(*object, 3.0f, ship.position));
            }
        }
    }
    restartGame();
    EXPECT_TRUE(ships[0].position != firstLayout[0] || ships[1].position != firstLayout[1]);
}
