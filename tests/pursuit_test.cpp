// Enemies fly straight at the craft and sidestep the first obstacle in their way.
#include <gtest/gtest.h>

#include <cmath>

#include "game/pursuit.h"
#include "game/world.h"
#include "tests/support/spheres.h"
#include "view/bounds.h"
#include "view/precise_math.h"

namespace {
struct Pursuit : ::testing::Test {
    Model shipModel = sphereOfRadius(1.0f);
    Model rockModel = sphereOfRadius(5.0f);
    SceneObject craft{&rockModel, false};  // large, but never in the way
    SceneObject enemy{&shipModel, true};
    SceneObject other{&shipModel, true};
    SceneObject rock{&rockModel, true};
    SceneObject secondRock{&rockModel, true};

    void SetUp() override {
        world = World{};
        world.allObjects = {&craft, &enemy, &other, &rock, &secondRock};
        world.enemies = {&enemy};
        place(other, {0, 0, -500}, 0, 0);
        place(rock, {0, 0, 500}, 0, 0);
        place(secondRock, {0, 500, 0}, 0, 0);
    }
    void TearDown() override { world = World{}; }
};
}  // namespace

TEST_F(Pursuit, UnobstructedEnemyClosesInByFifteenUnitsPerSecondWithoutTurning) {
    place(enemy, {60, 80, 0}, 0.4f, 1.2f);  // 100 units from the craft at the origin
    const glm::mat3 turned(enemy.transform);
    pursuePlayer(0.1f);
    expectNear(enemy.position, glm::vec3(60, 80, 0) * (98.5f / 100.0f));
    pursuePlayer(0.2f);
    EXPECT_NEAR(lengthF(enemy.position), 95.5f, 1e-4f);
    EXPECT_EQ(glm::vec3(enemy.transform[3]), enemy.position);
    EXPECT_TRUE(enemy.angleZ == 0.4f && enemy.angleX == 1.2f && glm::mat3(enemy.transform) == turned);
    // The craft is no obstacle: an enemy whose next step lies inside it flies on.
    place(enemy, {0, 0, 6}, 0, 0);
    pursuePlayer(0.2f);
    expectNear(enemy.position, {0, 0, 3});
}

TEST_F(Pursuit, SidestepGoesHalfWayTowardTheAwayVectorOfTheFirstObstacleOnly) {
    place(enemy, {100, 0, 0}, 0, 0);
    place(rock, {95, 3, 0}, 0, 0);         // 4.6 from the next position, within 5 + 1
    place(secondRock, {97, -3, 0}, 0, 0);  // also touched, but later in the list
    const glm::vec3 straight(-1.5f, 0, 0);
    const glm::vec3 away = glm::normalize(enemy.position + straight - rock.position);
    pursuePlayer(0.1f);
    expectNear(enemy.position, glm::vec3(100, 0, 0) + (away + straight) * 0.5f);
}

TEST_F(Pursuit, LaterEnemiesSeeEarlierOnesAtTheirNewPlaces) {
    world.enemies = {&other, &enemy};
    place(other, {30, 0, 0}, 0, 0);        // moves on to (27, 0, 0) unhindered
    place(enemy, {29.5f, 1.8f, 0}, 0, 0);  // its next point is clear of (30, 0, 0) but touches (27, 0, 0)
    const glm::vec3 straight = glm::normalize(-enemy.position) * 3.0f;
    const glm::vec3 away = glm::normalize(enemy.position + straight - glm::vec3(27, 0, 0));
    const glm::vec3 expected = enemy.position + (away + straight) * 0.5f;
    pursuePlayer(0.2f);
    expectNear(other.position, {27, 0, 0});
    expectNear(enemy.position, expected);
}

TEST_F(Pursuit, ZeroLengthDirectionsGiveNoNaN) {
    place(enemy, {0, 0, 0}, 0, 0);  // exactly at the craft
    pursuePlayer(0.1f);
    EXPECT_EQ(enemy.position, glm::vec3(0));
    place(enemy, {101.5f, 0, 0}, 0, 0);
    place(rock, {100, 0, 0}, 0, 0);  // the next position is the rock's centre
    pursuePlayer(0.1f);
    expectNear(enemy.position, {100.75f, 0, 0});
    EXPECT_TRUE(std::isfinite(enemy.worldPosition.x + enemy.worldPosition.y + enemy.worldPosition.z));
}
