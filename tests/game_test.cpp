// Game rules with scripted keys, cursor and frame times: the craft, the pursuers, the end of a
// game and the restart, the orbiting sphere.
#include <gtest/gtest.h>

#include <cstdlib>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <memory>

#include "game/flight.h"
#include "game/game_over.h"
#include "game/pursuit.h"
#include "game/setup.h"
#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

namespace {
// A craft of radius 2 at (10, 20, 30), a planet of radius 60, two rocks of radius 3 and two
// enemies of radius 1.5, one exactly 400 units from the craft and one farther.
struct Game : ::testing::Test {
    ScriptedInputScope scope;
    std::unique_ptr<Camera> camera = std::make_unique<Camera>(nullptr);
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
        world.windowWidth = 800;
        world.windowHeight = 600;
        world.camera = camera.get();
        camera->target = &craft;
        world.allObjects = {&craft, &planet, &rocks[0], &rocks[1], &ships[0], &ships[1]};
        world.enemies = {&ships[0], &ships[1]};
        place(craft, {10, 20, 30});
        place(planet, {-100, 0, 0});
        place(rocks[0], {150, 150, 150}, orientationFromAngles(1, 2));
        place(rocks[1], {-150, 100, 120}, orientationFromAngles(3, 0));
        place(ships[0], {10, 20, 430});
        place(ships[1], {10, -380, 30});
    }
    void TearDown() override { world = World{}; }
    void fly(std::set<int> keys, int frames, float dt) {
        script.heldKeys = std::move(keys);
        for (int i = 0; i < frames; ++i) flyPlayer(nullptr, dt);
    }
    // One of the craft's axes, at the length a move along it uses.
    glm::vec3 axis(int column) const { return glm::vec3(objectMatrix(craft)[column]) / 3.0f; }
    void eye(CameraMode mode, glm::vec3 position) {
        camera->mode = mode;
        camera->position = position;
    }
};
}  // namespace

TEST_F(Game, CraftThrottleBrakeAndStandstill) {
    fly({GLFW_KEY_W}, 300, 0.01f);
    EXPECT_EQ(craft.speed, 20.0f);
    fly({GLFW_KEY_S, GLFW_KEY_DOWN}, 1000, 0.01f);
    EXPECT_EQ(craft.speed, -7.0f);
    // The brake snaps to rest only inside the dead zone, and only while held.
    for (float speed : {0.15f, -0.15f}) {
        craft.speed = speed;
        fly({GLFW_KEY_Q}, 1, 0.016f);
        EXPECT_NEAR(craft.speed, speed * 0.992f, 1e-6f);
    }
    craft.speed = 0.1f;
    fly({GLFW_KEY_Q}, 1, 0.016f);
    EXPECT_EQ(craft.speed, 0.0f);
    craft.speed = 0.05f;
    fly({}, 10, 0.016f);
    EXPECT_EQ(craft.speed, 0.05f);
}

TEST_F(Game, CraftMovesAlongItsOwnAxesAndTurnsWithTheMouseFromTheNextFrameOn) {
    place(craft, {5.0f, -3.0f, 2.0f}, orientationFromAngles(0.4f, -0.2f));
    const glm::vec3 start = craft.position;
    fly({GLFW_KEY_W, GLFW_KEY_S, GLFW_KEY_A, GLFW_KEY_D, GLFW_KEY_SPACE, GLFW_KEY_LEFT_SHIFT}, 20, 0.05f);
    EXPECT_EQ(craft.position, start);
    const glm::vec3 forward = axis(0), side = axis(1), lift = axis(2);
    glm::vec3 expected = craft.position - side * 3.0f + lift * 3.0f;  // 0.1 s at 10 units per second
    fly({GLFW_KEY_RIGHT, GLFW_KEY_SPACE}, 1, 0.1f);
    expectNear(craft.position, expected);

    world.windowWidth = 801;  // the centre truncates to (400, 300)
    world.windowHeight = 601;
    craft.speed = 3.0f;
    expected = craft.position + forward * 3.0f;
    script.heldKeys.clear();
    script.cursorMoves.clear();
    script.cursorX = 407.0;  // 7 pixels right, 5 pixels down
    script.cursorY = 305.0;
    flyPlayer(nullptr, 0.1f);
    EXPECT_EQ(script.cursorMoves, (std::vector<std::pair<double, double>>{{400.0, 300.0}}));
    expectNear(craft.position, expected);
    EXPECT_EQ(glm::vec3(craft.transform[3]), craft.position);
}

// Mouse x rolls the craft right about its own forward axis (with mouse_x_turns: yaws it right
// about its own up axis) and mouse up raises its nose about its side axis, in every attitude:
// level, nose up, nose down and upside down after a half loop.
TEST_F(Game, SteeringTurnsTheCraftAboutItsOwnAxesInEveryAttitude) {
    craftModel.modelMatrix = glm::rotate(glm::mat4(1.0f), -glm::half_pi<float>(), glm::vec3(1, 0, 0));
    const float c = std::cos(0.4f), s = std::sin(0.4f);  // 40 pixels
    for (float pitch : {0.0f, glm::half_pi<float>(), -glm::half_pi<float>(), glm::pi<float>()}) {
        for (int move = 0; move < 3; ++move) {
            place(craft, {0, 0, 0}, orientationFromAngles(pitch, 0.0f));
            const glm::mat3 axes(objectMatrix(craft));  // forward, left, up
            const glm::vec3 forward = axes[0], up = axes[2], right = glm::cross(forward, up);
            world.settings.mouseXTurns = move == 1;
            script.cursorX = move < 2 ? 440.0 : 400.0, script.cursorY = move < 2 ? 300.0 : 260.0;
            flyPlayer(nullptr, 0.0f);
            const glm::vec3 expectedForward[] = {forward, c * forward + s * right, c * forward + s * up};
            const glm::vec3 expectedUp[] = {c * up + s * right, up, c * up - s * forward};
            expectNear(glm::vec3(objectMatrix(craft)[0]), expectedForward[move]);
            expectNear(glm::vec3(objectMatrix(craft)[2]), expectedUp[move]);
        }
    }
}

// Enemies close in at 15 units a second without turning; the craft is no obstacle; an enemy
// touching obstacles goes half way toward the away vector of the first one, seeing earlier
// enemies at their new places; directions of zero length give no NaN.
TEST_F(Game, EnemiesChaseTheCraftAndSidestepTheFirstObstacle) {
    place(craft, {0, 0, 0});
    world.allObjects = {&craft, &ships[0], &ships[1], &rocks[0], &rocks[1]};
    place(rocks[0], {0, 0, 500});
    place(rocks[1], {0, 500, 0});
    SceneObject& enemy = ships[1];
    world.enemies = {&ships[0], &enemy};
    place(ships[0], {0, 0, -500});
    place(enemy, {60, 80, 0}, orientationFromAngles(0.4f, 1.2f));
    const glm::mat3 turned(enemy.transform);
    pursuePlayer(0.1f);
    expectNear(enemy.position, glm::vec3(60, 80, 0) * (98.5f / 100.0f));
    EXPECT_EQ(glm::mat3(enemy.transform), turned);
    place(enemy, {0, 0, 1});  // the next step lies inside the craft
    pursuePlayer(0.2f);
    expectNear(enemy.position, {0, 0, -2});

    place(ships[0], {30, 0, 0});     // moves on to (27, 0, 0) unhindered
    place(enemy, {29.5f, 2.4f, 0});  // then touches it there, and the rock, later in the list
    place(rocks[0], {25, 5.5f, 0});
    const glm::vec3 straight = glm::normalize(-enemy.position) * 3.0f;
    const glm::vec3 away = glm::normalize(enemy.position + straight - glm::vec3(27, 0, 0));
    const glm::vec3 expected = enemy.position + (away + straight) * 0.5f;
    pursuePlayer(0.2f);
    expectNear(ships[0].position, {27, 0, 0});
    expectNear(enemy.position, expected);

    place(enemy, {0, 0, 0});
    place(rocks[0], {100, 0, 0});
    place(ships[0], {101.5f, 0, 0});  // its next position is the rock's centre
    pursuePlayer(0.1f);
    EXPECT_EQ(enemy.position, glm::vec3(0));
    expectNear(ships[0].position, {100.75f, 0, 0});
}

// The craft collides in every view: a sphere of its radius around the chase view's eye, within an
// object's radius; the craft itself is no obstacle, and a watching eye inside an object never
// ends the game. A crash outranks an escape.
TEST_F(Game, TheCraftCollidesInEveryViewAndEscapeNeedsFourHundredUnits) {
    const glm::vec3 eyeOffset = chaseEyePosition(craft) - craft.position;
    expectNear(eyeOffset, glm::vec3(-0.88f, 0, 1));  // (-0.44, 0, 0.5) of a craft scaled by 2
    const struct {
        glm::vec3 chaseEye;
        bool over;
    } cases[] = {{{-100 + 61.9f, 0, 0}, true}, {{-100 + 62.1f, 0, 0}, false}, {{150, 154.9f, 150}, true},
                 {{150, 155.1f, 150}, false}, {{10, 20, 430 - 3.49f}, true}};
    for (CameraMode mode : {CameraMode::Free, CameraMode::Orbit, CameraMode::Chase}) {
        for (const auto& c : cases) {
            place(craft, c.chaseEye - eyeOffset);
            eye(mode, mode == CameraMode::Chase ? c.chaseEye : rocks[1].position);
            EXPECT_EQ(isGameOver(), c.over) << static_cast<int>(mode) << ": " << c.chaseEye.x << "," << c.chaseEye.y;
        }
    }
    place(craft, {10, 20, 30});
    eye(CameraMode::Free, planet.position);
    EXPECT_EQ(gameEnd(), GameEnd::Escape);
    place(craft, planet.position);
    EXPECT_EQ(gameEnd(), GameEnd::Crash);
    place(craft, {10, 20, 30});
    place(ships[1], {10, 20 - 399.99f, 30});
    EXPECT_EQ(gameEnd(), GameEnd::None);
}

// The readout: the throttle (reverse on its own terms) and, while the enemies follow, the nearest
// one's distance, rounded down so that it never reads 400 before the escape; a short buffer cuts it.
TEST_F(Game, TheGoalReadoutShowsTheThrottleAndTheDistanceToEscape) {
    char text[96];
    describeGoal(12.34f, 399.9f, false, text, sizeof(text));
    EXPECT_STREQ(text, "Throttle 12.3 of 20");
    describeGoal(-3.5f, 399.9f, true, text, sizeof(text));
    EXPECT_STREQ(text, "Throttle 3.5 reverse (of 7)\nNearest enemy 399 of 400 to escape");
    describeGoal(20.0f, 1.0f, true, text, 8);
    EXPECT_STREQ(text, "Throttl");
}

// The craft comes back to its start at rest in its old orientation, which the enemies take too;
// they land on whole coordinates clear of the craft and of every object already placed. No enemy
// ever starts within 50 units of the craft's surface.
TEST_F(Game, RestartBringsTheCraftBackAndScattersTheEnemiesInItsOrientation) {
    std::srand(1);
    place(craft, {120, 5, 5}, orientationFromAngles(0.7f, -0.3f));
    craft.speed = 12.0f;
    eye(CameraMode::Free, {1, 2, 3});
    restartGame();
    EXPECT_EQ(craft.position, glm::vec3(50, -70, -35));
    EXPECT_EQ(glm::vec3(craft.transform[3]), craft.position);
    EXPECT_TRUE(craft.speed == 0.0f && craft.orientation == orientationFromAngles(0.7f, -0.3f));
    EXPECT_EQ(camera->position, glm::vec3(1, 2, 3));
    for (int i = 0; i < 2; ++i) {
        const SceneObject& ship = ships[i];
        EXPECT_EQ(ship.orientation, craft.orientation) << i;
        EXPECT_EQ(ship.position, glm::round(ship.position));
        EXPECT_GT(distanceF(ship.position, worldCenter(craft)), worldRadius(craft) + 50.0f);
        for (const SceneObject* object : world.allObjects) {
            // The first ship moves before the second, so it need not avoid the second's new place.
            if (object != &ship && !(i == 0 && object == &ships[1])) {
                EXPECT_FALSE(touchesSphere(*object, 3.0f, ship.position));
            }
        }
    }
    int tooClose = 0;
    for (int i = 0; i < 2000; ++i) tooClose += distanceF(randomEnemyPlacement(), craft.position) <= 52.0f;
    EXPECT_EQ(tooClose, 0);
    // With no room left (a planet filling the world, a craft whose clearance reaches everywhere) a
    // placement still ends, on the same point for the same draws.
    Model everywhere = sphereOfRadius(1000.0f);
    planet.model = craft.model = &everywhere;
    std::srand(5);
    const glm::vec3 crowded = randomEnemyPlacement();
    std::srand(5);
    EXPECT_EQ(randomEnemyPlacement(), crowded);
    EXPECT_EQ(glm::clamp(crowded, glm::vec3(-200.0f), glm::vec3(199.0f)), crowded);
}

// It circles the lead enemy's bounding centre (translation plus scaled model centre) at (3, 3, 3),
// turning by two radians a second about +Y.
TEST_F(Game, OrbitSphereCirclesTheLeadEnemysBoundingCentre) {
    Model leadModel(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    leadModel.center = glm::vec3(0.5f, 0, 0);
    SceneObject lead(&leadModel, true);
    lead.transform = glm::translate(glm::mat4(1.0f), glm::vec3(10, 20, 30));
    world.leadEnemy = &lead;
    world.orbitSphere = &rocks[0];
    updateOrbitSphere(glm::half_pi<float>() / 2.0f);  // a quarter turn: (3, 3, 3) becomes (3, 3, -3)
    expectNear(glm::vec3(rocks[0].transform[3]), glm::vec3(11, 20, 30) + glm::vec3(3, 3, -3));
}

