#include <cmath>
#include <limits>

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include "game/world.h"
#include "view/bounds.h"

namespace {
// A model whose sphere is centred on its origin and reaches (radius, 0, 0).
Model ballModel(float radius, glm::mat4 modelMatrix = glm::mat4(1.0f)) {
    Model model(modelMatrix);
    model.farthestVertex = glm::vec3(radius, 0.0f, 0.0f);
    model.hasGeometry = true;
    return model;
}

void expectNear(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}
}  // namespace

TEST(Place, TurnsAboutZThenXThenMoves) {
    Model model = ballModel(1.0f);
    SceneObject object(&model, true);
    place(object, {1.0f, 2.0f, 3.0f}, 0.3f, 0.7f);
    const glm::vec3 turnedAboutZ(std::cos(0.3f), std::sin(0.3f), 0.0f);
    const glm::vec3 thenAboutX(turnedAboutZ.x, turnedAboutZ.y * std::cos(0.7f), turnedAboutZ.y * std::sin(0.7f));
    expectNear(glm::vec3(object.transform * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f)), thenAboutX + glm::vec3(1, 2, 3));
    EXPECT_EQ(object.angleZ, 0.3f);
    EXPECT_EQ(object.angleX, 0.7f);
}

TEST(Place, WorldPositionAddsTheModelShift) {
    Model model = ballModel(1.0f, glm::translate(glm::mat4(1.0f), {0.0f, 0.0f, 4.0f}));
    SceneObject object(&model, true);
    EXPECT_EQ(object.worldPosition, glm::vec3(0.0f));
    place(object, {5.0f, 6.0f, 7.0f}, 0.0f, 0.0f);
    EXPECT_EQ(object.transform, glm::translate(glm::mat4(1.0f), {5.0f, 6.0f, 7.0f}));
    EXPECT_EQ(object.worldPosition, glm::vec3(5.0f, 6.0f, 11.0f));
    // Nothing cached: the sphere follows at once.
    EXPECT_EQ(worldCenter(object), glm::vec3(5.0f, 6.0f, 11.0f));
}

TEST(WorldRadius, ScalesWithTheModelAndIgnoresPlacement) {
    Model model = ballModel(2.0f, glm::scale(glm::mat4(1.0f), glm::vec3(3.0f)));
    SceneObject object(&model, true);
    EXPECT_FLOAT_EQ(worldRadius(object), 6.0f);
    place(object, {-40.0f, 12.0f, 9.0f}, 1.1f, -2.3f);
    EXPECT_NEAR(worldRadius(object), 6.0f, 1e-5f);
}

TEST(WorldRadius, ReachesASingleOutlierVertex) {
    Model model = ballModel(1.0f);
    model.center = glm::vec3(0.1f, 0.0f, 0.0f);  // the mean stays near the bulk of the vertices
    model.farthestVertex = glm::vec3(0.1f, 0.0f, -10.0f);
    SceneObject object(&model, true);
    EXPECT_FLOAT_EQ(worldRadius(object), 10.0f);
    EXPECT_TRUE(touchesSphere(object, 0.0f, {0.1f, 0.0f, -10.0f}));
}

TEST(TouchesSphere, SurfacesMeetingExactlyTouch) {
    Model model = ballModel(1.0f);
    SceneObject object(&model, true);
    EXPECT_TRUE(touchesSphere(object, 2.0f, {3.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(touchesSphere(object, 1.99f, {3.0f, 0.0f, 0.0f}));
}

TEST(TouchesSphere, NonCollidableNeverTouchesButStillOverlaps) {
    Model model = ballModel(1.0f);
    SceneObject object(&model, false);
    EXPECT_FALSE(touchesSphere(object, 5.0f, {0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(sphereOverlaps(object, 5.0f, {0.0f, 0.0f, 0.0f}));
}

TEST(TouchesSphere, NaNIsAMiss) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Model model = ballModel(1.0f);
    SceneObject object(&model, true);
    EXPECT_FALSE(touchesSphere(object, nan, {0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(touchesSphere(object, 1.0f, {nan, 0.0f, 0.0f}));
    model.farthestVertex.y = nan;
    EXPECT_FALSE(touchesSphere(object, 1.0f, {0.0f, 0.0f, 0.0f}));
}
