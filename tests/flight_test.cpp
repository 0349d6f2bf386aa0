// The player's craft: throttle, brake, strafing and mouse steering.
#include <gtest/gtest.h>

#include "game/flight.h"
#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/precise_math.h"

namespace {
struct Flight : ::testing::Test {
    ScriptedInputScope scope;
    // The craft's model is turned like the real one, so its axes are not the world's.
    Model model{glm::rotate(glm::mat4(1.0f), -glm::half_pi<float>(), glm::vec3(1, 0, 0))};
    SceneObject craft{&model, false};

    void SetUp() override {
        world = World{};
        world.windowWidth = 800;
        world.windowHeight = 600;
        world.allObjects.push_back(&craft);
        place(craft, {5.0f, -3.0f, 2.0f}, 0.4f, -0.2f);
    }
    void TearDown() override { world = World{}; }
    void fly(std::set<int> keys, int frames, float dt) {
        script.heldKeys = std::move(keys);
        for (int i = 0; i < frames; ++i) flyPlayer(nullptr, dt);
    }
    // One of the craft's axes, at the length a move along it uses.
    glm::vec3 axis(int column) const { return glm::vec3(objectMatrix(craft)[column]) / 3.0f; }
};
}  // namespace

TEST_F(Flight, ThrottleAndBrake) {
    fly({GLFW_KEY_W}, 300, 0.01f);
    EXPECT_EQ(craft.speed, 20.0f);
    fly({GLFW_KEY_S, GLFW_KEY_DOWN}, 1000, 0.01f);
    EXPECT_EQ(craft.speed, -7.0f);
    craft.speed = 0.0f;
    fly({GLFW_KEY_UP, GLFW_KEY_W}, 50, 0.01f);  // both alternatives count once
    EXPECT_NEAR(craft.speed, 3.5f, 1e-4f);
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

TEST_F(Flight, MovesAlongItsOwnAxesAndOppositeKeysCancel) {
    const glm::vec3 start = craft.position;
    fly({GLFW_KEY_W, GLFW_KEY_S, GLFW_KEY_A, GLFW_KEY_D, GLFW_KEY_SPACE, GLFW_KEY_LEFT_SHIFT}, 20, 0.05f);
    EXPECT_EQ(craft.speed, 0.0f);
    EXPECT_EQ(craft.position, start);

    const glm::vec3 forward = axis(0), side = axis(1), lift = axis(2);
    EXPECT_NEAR(lengthF(forward), 1.0f / 3.0f, 1e-6f);
    craft.speed = 6.0f;
    glm::vec3 expected = craft.position + forward * (0.1f * 10.0f * 6.0f);
    fly({}, 1, 0.1f);
    expectNear(craft.position, expected);
    craft.speed = 0.0f;
    expected = craft.position - side * 3.0f + lift * 3.0f;  // 0.1 s at 10 units per second
    fly({GLFW_KEY_RIGHT, GLFW_KEY_SPACE}, 1, 0.1f);
    expectNear(craft.position, expected);
}

TEST_F(Flight, MouseTurnsFromTheWindowCentreFromTheNextFrameOn) {
    world.windowWidth = 801;  // centre truncates to (400, 300)
    world.windowHeight = 601;
    craft.speed = 3.0f;
    const glm::vec3 forwardBefore = axis(0);
    const glm::vec3 start = craft.position;
    script.cursorX = 407.0;  // 7 pixels right, 5 pixels down
    script.cursorY = 305.0;
    flyPlayer(nullptr, 0.1f);
    EXPECT_EQ(craft.angleX, static_cast<float>(-0.2f - (-7.0f) * 0.01));
    EXPECT_EQ(craft.angleZ, static_cast<float>(0.4f + (-5.0f) * 0.01));
    EXPECT_EQ(script.cursorMoves, (std::vector<std::pair<double, double>>{{400.0, 300.0}}));
    expectNear(craft.position, start + forwardBefore * 3.0f);
    EXPECT_NE(axis(0), forwardBefore);
    EXPECT_EQ(glm::vec3(craft.transform[3]), craft.position);
}
