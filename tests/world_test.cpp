// The sphere orbiting the lead enemy.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "game/world.h"
#include "tests/support/spheres.h"

// It circles the lead enemy's bounding centre (translation plus scaled model centre) at (3, 3, 3),
// turning by two radians a second about +Y, and only its transform moves.
TEST(OrbitSphere, CirclesTheLeadEnemysBoundingCentre) {
    world = World{};
    Model shipModel(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    shipModel.center = glm::vec3(0.5f, 0, 0);
    Model sphereModel(glm::mat4(1.0f));
    SceneObject lead(&shipModel, true);
    SceneObject sphere(&sphereModel, true);
    lead.transform = glm::translate(glm::mat4(1.0f), glm::vec3(10, 20, 30));
    world.leadEnemy = &lead;
    world.orbitSphere = &sphere;
    const glm::vec3 centre(11, 20, 30);

    updateOrbitSphere(0.0f);
    expectNear(glm::vec3(sphere.transform[3]), centre + glm::vec3(3, 3, 3));
    updateOrbitSphere(glm::half_pi<float>() / 2.0f);  // a quarter turn: (3, 3, 3) becomes (3, 3, -3)
    expectNear(glm::vec3(sphere.transform[3]), centre + glm::vec3(3, 3, -3));
    updateOrbitSphere(0.7f);
    const glm::vec3 offset = glm::vec3(sphere.transform[3]) - centre;
    EXPECT_NEAR(offset.y, 3.0f, 1e-4f);
    EXPECT_NEAR(glm::length(glm::vec2(offset.x, offset.z)), std::sqrt(18.0f), 1e-4f);
    EXPECT_FLOAT_EQ(world.orbitAngle, glm::half_pi<float>() + 1.4f);
    EXPECT_TRUE(sphere.position == glm::vec3(0) && sphere.worldPosition == glm::vec3(0));
    world = World{};
}
