// Camera maths with scripted keys and cursor: projection, views and keys, frustum culling,
// placement, bounding spheres and the collision test.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
glm::vec3 forwardOf(const glm::mat4& view) { return -glm::vec3(view[0][2], view[1][2], view[2][2]); }
glm::vec3 upOf(const glm::mat4& view) { return glm::vec3(view[0][1], view[1][1], view[2][1]); }
glm::vec3 rightOf(const glm::mat4& view) { return glm::vec3(view[0][0], view[1][0], view[2][0]); }
const float notANumber = std::numeric_limits<float>::quiet_NaN();

// An 800 x 600 window and a camera whose target is a turned, moved object.
struct View : ::testing::Test {
    ScriptedInputScope scope;
    Model model{glm::mat4(1.0f)};
    SceneObject target{&model, true};
    std::unique_ptr<Camera> camera;

    void SetUp() override { makeCamera(800, 600); }
    void TearDown() override { world = World{}; }
    void makeCamera(int width, int height) {
        world = World{};
        script.windowWidth = width;
        script.windowHeight = height;
        camera = std::make_unique<Camera>(nullptr);
        world.camera = camera.get();
        place(target, {10.0f, -4.0f, 2.0f}, orientationFromAngles(0.5f, 0.3f));
        camera->target = &target;
    }
    glm::mat4 frame(float dt = 0.0f) {
        camera->updateCamera(nullptr, dt);
        return camera->view;
    }
    // The frustum from eye looking along -Z with up +Y.
    const Frustum& lookDownZ(glm::vec3 eye) {
        camera->frustum.updateFrustum(eye, eye + glm::vec3(0.0f, 0.0f, -1.0f), {0.0f, 1.0f, 0.0f}, 60.0f);
        return camera->frustum;
    }
    bool drawn(glm::vec3 centre, float radius) {
        Model sphere(glm::mat4(1.0f));
        sphere.center = centre;
        sphere.farthestVertex = centre + glm::vec3(0.0f, radius, 0.0f);
        return isInFrustum(camera->frustum, SceneObject(&sphere, false));
    }
};
}  // namespace

// A wider window widens the view (the goldens fix the rest of the projection) and moves the
// cursor to the window's new centre. The projection takes the frustum's tangent, rounded once.
TEST_F(View, ProjectionFollowsTheWindow) {
    const glm::mat4 p = cameraProjection(60.0f);
    EXPECT_EQ(p[1][1], 1.7320509f);
    const glm::mat4 viewProjection = camera->updateCamera(nullptr, 0.0f);
    EXPECT_EQ(viewProjection, p * camera->view);
    script.windowWidth = 1600;
    readWindowSizes(nullptr);
    EXPECT_EQ(script.cursorMoves.back(), std::make_pair(800.0, 300.0));
    frame();
    EXPECT_FLOAT_EQ(camera->projection[0][0], p[0][0] / 2.0f);
    EXPECT_EQ(camera->projection[1][1], p[1][1]);
}

// Key 1 from Orbit or Chase keeps the eye and direction (and, from Orbit, the roll); the chase
// view's up vector is the craft's own, whatever its position.
TEST_F(View, SwitchToFreeKeepsTheCurrentView) {
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
            EXPECT_NEAR(glm::dot(upOf(after), upOf(before)), 1.0f, 1e-5f);
        }
        if (mode == CameraMode::Chase) {  // up lies in the plane of the view and the craft's own up
            const glm::vec3 side = glm::cross(forwardOf(before), glm::mat3(target.transform) * camera->chaseUp);
            EXPECT_NEAR(glm::dot(upOf(before), side), 0.0f, 1e-4f);
        }
    }
    // An eye on its own look point has no direction: the angles must stay finite.
    camera->orbitLookOffset = camera->orbitEyeOffset;
    camera->mode = CameraMode::Orbit;
    camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
    EXPECT_FALSE(std::isnan(camera->yaw) || std::isnan(camera->pitch));
}

// R puts the free eye back at (0, 0, 5) facing -X; the light key looks up from the light; a
// still mouse turns nothing, a pending re-centre swallows a move, right turns to larger yaw;
// opposite keys cancel, alternatives count once, D moves right.
TEST_F(View, FreeCameraKeysAndMouse) {
    script.heldKeys = {GLFW_KEY_R};
    expectNear(forwardOf(frame()), {-1.0f, 0.0f, 0.0f}, 0.002f);
    EXPECT_EQ(camera->position, glm::vec3(0.0f, 0.0f, 5.0f));
    script.heldKeys.clear();
    camera->switchToFree({-10.0f, 5.0f, 3.0f}, 3.14f, 0.0f);
    const glm::mat4 up = frame();
    expectNear(forwardOf(up), {0.0f, 1.0f, 0.0f}, 1e-5f);
    EXPECT_EQ(frame(), up);
    world.recenterCursor = true;
    script.cursorX = 480.0;
    EXPECT_EQ(frame(), up);
    EXPECT_FALSE(world.recenterCursor);
    camera->yaw = 0.7f;
    script.cursorX = 410.0;
    frame();
    EXPECT_FLOAT_EQ(camera->yaw, 0.75f);

    const glm::vec3 start = camera->position;
    script.heldKeys = {GLFW_KEY_W, GLFW_KEY_S, GLFW_KEY_A, GLFW_KEY_D, GLFW_KEY_SPACE, GLFW_KEY_LEFT_SHIFT};
    const glm::mat4 view = frame(0.5f);
    expectNear(camera->position, start, 1e-5f);
    script.heldKeys = {GLFW_KEY_UP, GLFW_KEY_W, GLFW_KEY_D};
    frame(0.5f);
    expectNear(camera->position, start + 6.5f * (forwardOf(view) + rightOf(view)), 1e-4f);
}

TEST_F(View, FrustumPlanesFaceOutwardAndSpheresAreCulledOnlyWhenWhollyOutside) {
    lookDownZ(glm::vec3(0.0f));
    EXPECT_TRUE(drawn({0.0f, 0.0f, -999.5f}, 1.0f));
    EXPECT_FALSE(drawn({0.0f, 0.0f, 0.95f}, 1.0f));     // wholly behind the near plane
    EXPECT_FALSE(drawn({0.0f, 0.0f, -1001.5f}, 1.0f));  // wholly beyond the far plane
    EXPECT_TRUE(drawn({notANumber, 0.0f, 0.0f}, 1.0f));
    // From here the origin lies only outside the right plane, at the distance d.
    const float outside = lookDownZ({-5.0f, 0.0f, 0.0f}).planes[FrustumRight].d;
    ASSERT_GT(outside, 1.0f);
    EXPECT_TRUE(drawn(glm::vec3(0.0f), outside));
    EXPECT_FALSE(drawn(glm::vec3(0.0f), outside * 0.999f));
    lookDownZ({5.0f, 0.0f, 0.0f});
    EXPECT_TRUE(drawn(glm::vec3(0.0f), outside));
    EXPECT_FALSE(drawn(glm::vec3(0.0f), outside * 0.999f));
}

// Turned about Z, then X, then moved; the radius scales with the model, ignores placement and
// reaches an outlier; contact is exact, non-collidable objects and NaN never touch.
TEST(Bounds, PlacementRadiusAndContact) {
    Model model = sphereOfRadius(2.0f, glm::scale(glm::mat4(1.0f), glm::vec3(3.0f)));
    SceneObject object(&model, true);
    place(object, {1.0f, 2.0f, 3.0f}, orientationFromAngles(0.3f, 0.7f));
    const glm::vec3 turnedAboutZ(std::cos(0.3f), std::sin(0.3f), 0.0f);
    const glm::vec3 thenAboutX(turnedAboutZ.x, turnedAboutZ.y * std::cos(0.7f), turnedAboutZ.y * std::sin(0.7f));
    expectNear(glm::vec3(object.transform * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f)), thenAboutX + glm::vec3(1, 2, 3));
    EXPECT_NEAR(worldRadius(object), 6.0f, 1e-5f);

    Model lopsided(glm::translate(glm::mat4(1.0f), {0.0f, 0.0f, 4.0f}));
    lopsided.center = glm::vec3(0.1f, 0.0f, 0.0f);
    lopsided.farthestVertex = glm::vec3(0.1f, 0.0f, -10.0f);
    SceneObject rock(&lopsided, true);
    place(rock, {5.0f, 6.0f, 7.0f});
    EXPECT_EQ(rock.worldPosition, glm::vec3(5.0f, 6.0f, 11.0f));
    EXPECT_FLOAT_EQ(worldRadius(rock), 10.0f);
    EXPECT_TRUE(touchesSphere(rock, 2.0f, {5.1f, 6.0f, 11.0f - 12.0f}));
    EXPECT_FALSE(touchesSphere(rock, 1.99f, {5.1f, 6.0f, 11.0f - 12.0f}));
    EXPECT_FALSE(touchesSphere(rock, notANumber, glm::vec3(5.1f, 6.0f, 11.0f)));
    EXPECT_FALSE(touchesSphere(rock, 1.0f, {notANumber, 0.0f, 0.0f}));
    SceneObject ghost(&lopsided, false);
    EXPECT_FALSE(touchesSphere(ghost, 5.0f, glm::vec3(0.0f)));
    EXPECT_TRUE(sphereOverlaps(ghost, 5.0f, glm::vec3(5.1f, 6.0f, 11.0f)));
}
