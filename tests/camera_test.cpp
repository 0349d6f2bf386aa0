// The camera: projection, switching to the free view, keys and mouse.
#include <cmath>
#include <memory>

#include <gtest/gtest.h>

#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
glm::vec3 forwardOf(const glm::mat4& view) { return -glm::vec3(view[0][2], view[1][2], view[2][2]); }
glm::vec3 upOf(const glm::mat4& view) { return glm::vec3(view[0][1], view[1][1], view[2][1]); }

// An 800 x 600 window, a free camera at the origin and one turned, moved target.
struct CameraScene : ::testing::Test {
    ScriptedInputScope scope;
    Model model{glm::mat4(1.0f)};
    SceneObject target{&model, true};
    std::unique_ptr<Camera> camera;

    void SetUp() override {
        world = World{};
        camera = std::make_unique<Camera>(nullptr);
        world.camera = camera.get();
        place(target, {10.0f, -4.0f, 2.0f}, 0.5f, 0.3f);
        camera->target = &target;
    }
    void TearDown() override { world = World{}; }
    glm::mat4 frame(float dt = 0.0f) {
        camera->updateCamera(nullptr, dt);
        return camera->view;
    }
};
}  // namespace

TEST_F(CameraScene, ProjectionOfAnEightHundredBySixHundredWindow) {
    const glm::mat4 p = cameraProjection();
    const float t = 0.57735026f;
    EXPECT_FLOAT_EQ(p[0][0], 1.0f / (t * (800.0f / 600.0f)));
    EXPECT_FLOAT_EQ(p[1][1], 1.0f / t);
    EXPECT_FLOAT_EQ(p[2][2], -1.0001999f);
    EXPECT_FLOAT_EQ(p[3][2], -0.20002f);
    EXPECT_TRUE(p[2][3] == -1.0f && p[3][3] == 0.0f);
    const glm::mat4 returned = camera->updateCamera(nullptr, 0.0f);
    EXPECT_EQ(camera->projection, p);
    EXPECT_EQ(returned, camera->projection * camera->view);
}

// Key 1 from Orbit or Chase keeps the eye and direction (and, from Orbit, the roll).
TEST_F(CameraScene, SwitchToFreeKeepsTheCurrentView) {
    camera->orbitEyeOffset = {2.0f, 3.0f, -3.0f};
    camera->orbitLookOffset = {0.0f, 0.5f, 0.0f};
    camera->chaseEye = {-0.44f, 0.0f, 0.5f};
    camera->chaseLook = {1.0f, 0.0f, 0.0f};
    camera->chaseUp = {0.0f, 0.0f, 1.0f};
    for (CameraMode mode : {CameraMode::Orbit, CameraMode::Chase}) {
        camera->mode = mode;
        const glm::mat4 before = frame();
        const glm::vec3 eye = camera->position;
        camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
        const glm::mat4 after = frame();
        EXPECT_EQ(camera->mode, CameraMode::Free);
        expectNear(camera->position, eye, 1e-5f);
        expectNear(forwardOf(after), forwardOf(before), 1e-5f);
        if (mode == CameraMode::Orbit) {
            EXPECT_LT(std::acos(std::fmin(1.0f, glm::dot(upOf(after), upOf(before)))), 0.001f);
        }
    }
    // An eye on its own look point has no direction: the angles must stay finite.
    camera->orbitLookOffset = camera->orbitEyeOffset;
    camera->mode = CameraMode::Orbit;
    camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
    EXPECT_FALSE(std::isnan(camera->yaw) || std::isnan(camera->pitch));
}

TEST_F(CameraScene, KeyRAndTheLightJumpAim) {
    script.heldKeys = {GLFW_KEY_R};
    const glm::mat4 view = frame();
    EXPECT_EQ(camera->position, glm::vec3(0.0f, 0.0f, 5.0f));
    expectNear(forwardOf(view), {-1.0f, 0.0f, 0.0f}, 0.002f);

    script.heldKeys.clear();
    camera->switchToFree({-10.0f, 5.0f, 3.0f}, 3.14f, 0.0f);
    expectNear(forwardOf(frame()), {0.0f, 1.0f, 0.0f}, 1e-5f);
    EXPECT_EQ(camera->position, glm::vec3(-10.0f, 5.0f, 3.0f));
}

TEST_F(CameraScene, StillMouseTurnsNothingAndMovedMouseTurns) {
    camera->yaw = 0.7f;
    camera->pitch = 1.2f;
    const glm::mat4 first = frame();
    EXPECT_EQ(frame(), first);
    // A pending re-centre swallows a cursor that moved meanwhile.
    world.recenterCursor = true;
    script.cursorX = 480.0;
    EXPECT_EQ(frame(), first);
    EXPECT_FALSE(world.recenterCursor);

    script.cursorX = 410.0;  // right turns towards larger yaw
    frame();
    EXPECT_FLOAT_EQ(camera->yaw, 0.75f);
    EXPECT_EQ(script.cursorMoves.back(), std::make_pair(400.0, 300.0));
}

TEST_F(CameraScene, OppositeMovementKeysCancelAndAlternativesCountOnce) {
    const glm::vec3 start = camera->position;
    script.heldKeys = {GLFW_KEY_W, GLFW_KEY_S, GLFW_KEY_A, GLFW_KEY_D, GLFW_KEY_SPACE, GLFW_KEY_LEFT_SHIFT};
    frame(0.5f);
    expectNear(camera->position, start, 1e-5f);
    script.heldKeys = {GLFW_KEY_UP, GLFW_KEY_W};
    const glm::vec3 forward = forwardOf(frame(0.5f));
    expectNear(camera->position, start + 6.5f * forward);
}

TEST_F(CameraScene, ResizeKeepsTheFirstAspectAndCentre) {
    script.windowWidth = 1600;
    script.cursorX = 800.0;
    frame();
    EXPECT_FLOAT_EQ(camera->projection[1][1] / camera->projection[0][0], 800.0f / 600.0f);
    EXPECT_EQ(script.cursorMoves.back(), std::make_pair(400.0, 300.0));
}
