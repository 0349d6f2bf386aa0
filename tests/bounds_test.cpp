// Placing objects, their bounding spheres and the collision test.
#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "game/world.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"

TEST(Place, TurnsAboutZThenXThenMovesAndAddsTheModelShift) {
    Model model = sphereOfRadius(1.0f);
    SceneObject object(&model, true);
    place(object, {1.0f, 2.0f, 3.0f}, 0.3f, 0.7f);
    const glm::vec3 turnedAboutZ(std::cos(0.3f), std::sin(0.3f), 0.0f);
    const glm::vec3 thenAboutX(turnedAboutZ.x, turnedAboutZ.y * std::cos(0.7f), turnedAboutZ.y * std::sin(0.7f));
    expectNear(glm::vec3(object.transform * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f)), thenAboutX + glm::vec3(1, 2, 3));
    EXPECT_TRUE(object.angleZ == 0.3f && object.angleX == 0.7f);

    Model shifted = sphereOfRadius(1.0f, glm::translate(glm::mat4(1.0f), {0.0f, 0.0f, 4.0f}));
    SceneObject moved(&shifted, true);
    place(moved, {5.0f, 6.0f, 7.0f}, 0.0f, 0.0f);
    EXPECT_EQ(moved.worldPosition, glm::vec3(5.0f, 6.0f, 11.0f));
    EXPECT_EQ(worldCenter(moved), glm::vec3(5.0f, 6.0f, 11.0f));
}

TEST(WorldRadius, ScalesWithTheModelIgnoresPlacementAndReachesAnOutlier) {
    Model model = sphereOfRadius(2.0f, glm::scale(glm::mat4(1.0f), glm::vec3(3.0f)));
    SceneObject object(&model, true);
    EXPECT_FLOAT_EQ(worldRadius(object), 6.0f);
    place(object, {-40.0f, 12.0f, 9.0f}, 1.1f, -2.3f);
    EXPECT_NEAR(worldRadius(object), 6.0f, 1e-5f);

    Model lopsided(glm::mat4(1.0f));
    lopsided.center = glm::vec3(0.1f, 0.0f, 0.0f);  // the mean stays with the bulk of the vertices
    lopsided.farthestVertex = glm::vec3(0.1f, 0.0f, -10.0f);
    SceneObject rock(&lopsided, true);
    EXPECT_FLOAT_EQ(worldRadius(rock), 10.0f);
    EXPECT_TRUE(touchesSphere(rock, 0.0f, {0.1f, 0.0f, -10.0f}));
}

TEST(TouchesSphere, ExactContactNonCollidableAndNaN) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Model model = sphereOfRadius(1.0f);
    SceneObject object(&model, true);
    EXPECT_TRUE(touchesSphere(object, 2.0f, {3.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(touchesSphere(object, 1.99f, {3.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(touchesSphere(object, nan, {0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(touchesSphere(object, 1.0f, {nan, 0.0f, 0.0f}));

    SceneObject ghost(&model, false);
    EXPECT_FALSE(touchesSphere(ghost, 5.0f, {0.0f, 0.0f, 0.0f}));
    EXPECT_TRUE(sphereOverlaps(ghost, 5.0f, {0.0f, 0.0f, 0.0f}));

    model.farthestVertex.y = nan;
    EXPECT_FALSE(touchesSphere(object, 1.0f, {0.0f, 0.0f, 0.0f}));
}
