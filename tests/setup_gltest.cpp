// The initial world built from the real models and shaders: lists, layout and its repeatability.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "game/setup.h"
#include "game/world.h"
#include "tests/support/gl_context.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

namespace {
// Never destroyed, so that the first start's objects stay reachable until exit.
World& firstStart = *new World();

// The generator is never seeded by the game, so seeding 1 reproduces a start of the program.
void startProgram() {
    world = World{};
    std::srand(1);
    setUpWorld(sharedGlContext());
}

struct WorldSetUp : ::testing::Test {
    static void SetUpTestSuite() {
        startProgram();
        firstStart = world;
        startProgram();
    }
    const std::vector<SceneObject*>& all = world.allObjects;
};
}  // namespace

TEST_F(WorldSetUp, ListsHoldTheirObjectsInOrder) {
    ASSERT_EQ(all.size(), 80u);
    ASSERT_EQ(world.enemies.size(), 14u);
    ASSERT_EQ(world.asteroids.size(), 60u);
    ASSERT_EQ(world.shadowCasters.size(), 78u);
    EXPECT_FALSE(all[0]->collidable);
    EXPECT_EQ(all[0]->position, glm::vec3(50, -70, -35));
    EXPECT_EQ(all[4]->position, world.light.position);
    EXPECT_EQ(world.leadEnemy, all[5]);
    EXPECT_EQ(world.orbitSphere, all[6]);
    EXPECT_EQ(world.orbitSphere->transform, glm::mat4(1.0f));
    std::vector<SceneObject*> casters(all.begin(), all.begin() + 4);
    casters.push_back(all[5]);
    casters.insert(casters.end(), all.begin() + 7, all.end());
    EXPECT_EQ(world.shadowCasters, casters);
    std::vector<SceneObject*> enemies{all[5]};
    enemies.insert(enemies.end(), all.begin() + 7, all.begin() + 20);
    EXPECT_EQ(world.enemies, enemies);
    EXPECT_EQ(world.asteroids, std::vector<SceneObject*>(all.begin() + 20, all.end()));
    for (const SceneObject* object : all) EXPECT_EQ(object->lodModel != nullptr, object->model == all[79]->model);
    EXPECT_NE(all[79]->lodModel, nullptr);
    EXPECT_EQ(world.camera->mode, CameraMode::Chase);
    EXPECT_EQ(world.camera->target, all[0]);
}

TEST_F(WorldSetUp, TwoStartsGiveTheSameLayout) {
    ASSERT_EQ(firstStart.allObjects.size(), all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        const SceneObject& earlier = *firstStart.allObjects[i];
        EXPECT_NE(&earlier, all[i]);
        EXPECT_EQ(earlier.position, all[i]->position) << "object " << i;
        EXPECT_EQ(earlier.angleZ, all[i]->angleZ) << "object " << i;
        EXPECT_EQ(earlier.angleX, all[i]->angleX) << "object " << i;
    }
}

// Random objects lie on whole coordinates in [-200, 199], clear of every earlier collidable object
// by their margin; the random enemies also keep 50 units from the craft's surface and are not turned.
TEST_F(WorldSetUp, RandomObjectsKeepClearOfEveryEarlierCollidableObject) {
    for (size_t i = 7; i < all.size(); ++i) {
        const glm::vec3 p = all[i]->position;
        EXPECT_TRUE(p == glm::round(p) && glm::all(glm::greaterThanEqual(p, glm::vec3(-200))) &&
                    glm::all(glm::lessThanEqual(p, glm::vec3(199)))) << "object " << i;
        const float margin = i < 20 ? 3.0f : 5.0f;
        for (size_t j = 0; j < i; ++j) EXPECT_FALSE(touchesSphere(*all[j], margin, p)) << i << " touches " << j;
        if (i < 20) {
            EXPECT_GT(distanceF(worldCenter(*all[0]), p), worldRadius(*all[0]) + 50.0f) << i;
            EXPECT_EQ(all[i]->angleZ, 0.0f) << i;
        }
    }
}

TEST_F(WorldSetUp, AsteroidAnglesAreWholeRadiansUpToThree) {
    std::set<float> seen;
    for (const SceneObject* asteroid : world.asteroids) seen.insert({asteroid->angleZ, asteroid->angleX});
    EXPECT_GE(seen.size(), 2u);
    for (float angle : seen) EXPECT_TRUE(angle == 0 || angle == 1 || angle == 2 || angle == 3) << angle;
}
