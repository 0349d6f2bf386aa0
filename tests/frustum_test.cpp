// Frustum planes and sphere culling.
#include <limits>
#include <memory>

#include <gtest/gtest.h>

#include "game/world.h"
#include "tests/support/scripted_input.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
// A camera with a window of the given size, its frustum looking from eye along -Z with up +Y.
struct FrustumScene : ::testing::Test {
    ScriptedInputScope scope;
    std::unique_ptr<Camera> camera;

    void look(int width, int height, glm::vec3 eye) {
        world = World{};
        script.windowWidth = width;
        script.windowHeight = height;
        camera = std::make_unique<Camera>(nullptr);
        world.camera = camera.get();
        camera->frustum.updateFrustum(eye, eye + glm::vec3(0.0f, 0.0f, -1.0f), {0.0f, 1.0f, 0.0f});
    }
    void SetUp() override { look(800, 600, glm::vec3(0.0f)); }
    void TearDown() override { world = World{}; }
    const Plane& plane(FrustumPlane which) const { return camera->frustum.planes[which]; }

    bool drawn(glm::vec3 centre, float radius) {
        Model model(glm::mat4(1.0f));
        model.center = centre;
        model.farthestVertex = centre + glm::vec3(0.0f, radius, 0.0f);
        return isInFrustum(SceneObject(&model, false));
    }
};
}  // namespace

TEST_F(FrustumScene, PlanesFaceOutOfTheViewAndAWiderWindowWidensOnlyTheSides) {
    expectNear(plane(FrustumTop).normal, {0.0f, 0.866f, 0.5f}, 1e-3f);
    expectNear(plane(FrustumBottom).normal, {0.0f, -0.866f, 0.5f}, 1e-3f);
    expectNear(plane(FrustumLeft).normal, {-0.792f, 0.0f, 0.610f}, 1e-3f);
    expectNear(plane(FrustumRight).normal, {0.792f, 0.0f, 0.610f}, 1e-3f);
    expectNear(plane(FrustumNear).normal, {0.0f, 0.0f, 1.0f}, 1e-3f);
    expectNear(plane(FrustumFar).normal, {0.0f, 0.0f, -1.0f}, 1e-3f);
    EXPECT_FLOAT_EQ(plane(FrustumNear).d, 0.1f);
    EXPECT_FLOAT_EQ(plane(FrustumFar).d, -1000.0f);

    const Frustum narrow = camera->frustum;
    look(1600, 600, glm::vec3(0.0f));
    for (FrustumPlane same : {FrustumTop, FrustumBottom, FrustumNear, FrustumFar}) {
        expectNear(plane(same).normal, narrow.planes[same].normal, 1e-3f);
    }
    // Wider sides lean further back: the outward normal gains along +Z.
    EXPECT_GT(plane(FrustumLeft).normal.z, narrow.planes[FrustumLeft].normal.z + 0.1f);
    EXPECT_GT(plane(FrustumRight).normal.z, narrow.planes[FrustumRight].normal.z + 0.1f);
}

TEST_F(FrustumScene, SpheresCulledOnlyWhenWhollyOutside) {
    EXPECT_TRUE(drawn({0.0f, 0.0f, -0.5f}, 0.1f));
    EXPECT_TRUE(drawn({0.0f, 0.0f, -999.5f}, 1.0f));
    EXPECT_FALSE(drawn({0.0f, 0.0f, 0.95f}, 1.0f));     // wholly behind the near plane
    EXPECT_FALSE(drawn({0.0f, 0.0f, -1001.5f}, 1.0f));  // wholly beyond the far plane
    EXPECT_TRUE(drawn({0.0f, 0.0f, 1.0f}, 2.0f));       // contains the eye
    EXPECT_TRUE(drawn({std::numeric_limits<float>::quiet_NaN(), 0.0f, 0.0f}, 1.0f));

    // From here the origin lies only outside the right plane, at the distance d.
    look(800, 600, {-5.0f, 0.0f, 0.0f});
    const float outside = plane(FrustumRight).d;
    ASSERT_GT(outside, 1.0f);
    EXPECT_TRUE(drawn(glm::vec3(0.0f), outside));
    EXPECT_FALSE(drawn(glm::vec3(0.0f), outside * 0.999f));
}
