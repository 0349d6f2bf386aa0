// Initial world state, scene objects and the orbit sphere's circle.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "game/world.h"

TEST(WorldState, StartsWithTheGameDefaults) {
    const World fresh{};
    const RenderSettings& s = fresh.settings;
    EXPECT_TRUE(s.transparency && s.bloom && s.printFrameStats && s.frustumCulling);
    EXPECT_FALSE(s.lodAlwaysLowest || s.wireframe || s.enemiesFollow || s.textureLinear || s.showShadowCubeMap);
    EXPECT_EQ(s.mipmapMode, 0);
    EXPECT_EQ(fresh.light.position, glm::vec3(-10, 5, 3));
    EXPECT_EQ(fresh.light.ambient, glm::vec3(0.1f));
    EXPECT_EQ(fresh.glowLight.ambient, glm::vec3(1));
    EXPECT_EQ(fresh.glowLight.diffuse, glm::vec3(0));
    EXPECT_EQ(fresh.playerMaterial.diffuse, glm::vec3(0, 1, 0));
    EXPECT_EQ(fresh.playerMaterial.specular, glm::vec3(0, 0, 1));
    EXPECT_EQ(fresh.shipMaterial.specular, glm::vec3(0, 1, 1));
    EXPECT_EQ(fresh.asteroidMaterial.diffuse, glm::vec3(0.7f));
    EXPECT_EQ(fresh.asteroidMaterial.shininess, 2.0f);
    EXPECT_EQ(fresh.glowMaterial.shininess, 1.0f);
    EXPECT_EQ(fresh.keyCooldown, 0.0f);
    EXPECT_EQ(fresh.orbitAngle, 0.0f);
    EXPECT_FALSE(fresh.skyboxReady);
}

TEST(SceneObjectRecord, ConstructionIgnoresTheModelsPlacement) {
    Model model(glm::translate(glm::mat4(1.0f), glm::vec3(5, 6, 7)));
    model.center = glm::vec3(1, 2, 3);
    const SceneObject object(&model, true);
    EXPECT_EQ(object.worldPosition, glm::vec3(0));
    EXPECT_EQ(object.transform, glm::mat4(1.0f));
    EXPECT_EQ(object.lodModel, nullptr);
    EXPECT_EQ(object.speed, 0.0f);
    EXPECT_TRUE(object.collidable);
}

namespace {
struct OrbitSphere : ::testing::Test {
    Model shipModel{glm::scale(glm::mat4(1.0f), glm::vec3(2.0f))};
    Model sphereModel{glm::mat4(1.0f)};
    SceneObject lead{&shipModel, true};
    SceneObject sphere{&sphereModel, true};
    void SetUp() override {
        world = World{};
        shipModel.center = glm::vec3(0.5f, 0, 0);
        lead.transform = glm::translate(glm::mat4(1.0f), glm::vec3(10, 20, 30));
        world.leadEnemy = &lead;
        world.orbitSphere = &sphere;
    }
    glm::vec3 sphereOrigin() const { return glm::vec3(sphere.transform[3]); }
};
}  // namespace

TEST_F(OrbitSphere, CirclesTheLeadEnemysBoundingCentre) {
    const glm::vec3 centre(11, 20, 30);  // translation plus the scaled model centre
    updateOrbitSphere(0.0f);
    EXPECT_NEAR(glm::distance(sphereOrigin(), centre + glm::vec3(3, 3, 3)), 0.0f, 1e-5f);
    for (float dt : {0.1f, 0.7f, 1.3f}) {
        updateOrbitSphere(dt);
        const glm::vec3 offset = sphereOrigin() - centre;
        EXPECT_NEAR(offset.y, 3.0f, 1e-4f);
        EXPECT_NEAR(glm::length(glm::vec2(offset.x, offset.z)), std::sqrt(18.0f), 1e-4f);
    }
    EXPECT_FLOAT_EQ(world.orbitAngle, 2.0f * (0.1f + 0.7f + 1.3f));
}

TEST_F(OrbitSphere, TurnsByTwoRadiansPerSecondAboutTheVerticalAxis) {
    updateOrbitSphere(glm::half_pi<float>() / 2.0f);  // a quarter turn
    const glm::vec3 offset = sphereOrigin() - glm::vec3(11, 20, 30);
    // (3, 3, 3) turned by +90 degrees about +Y is (3, 3, -3).
    EXPECT_NEAR(offset.x, 3.0f, 1e-4f);
    EXPECT_NEAR(offset.z, -3.0f, 1e-4f);
    EXPECT_EQ(sphere.position, glm::vec3(0));
    EXPECT_EQ(sphere.worldPosition, glm::vec3(0));
}
