#include "game/game_over.h"

#include "game/setup.h"
#include "game/world.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

namespace {
constexpr float escapeDistance = 400.0f;
}  // namespace

bool isGameOver() {
    // The craft collides, whatever view the player watches: a sphere of its size around the eye
    // the chase view puts behind it. The free and orbit cameras only watch.
    const SceneObject& craft = *world.allObjects[0];
    const glm::vec3 eye = chaseEyePosition(craft);
    const float radius = worldRadius(craft);
    for (const SceneObject* object : world.allObjects) {
        if (touchesSphere(*object, radius, eye)) return true;
    }
    return false;
}

bool hasEscaped() {
    const glm::vec3 craftPosition = world.allObjects[0]->position;
    for (const SceneObject* enemy : world.enemies) {
        if (distanceF(craftPosition, enemy->position) < escapeDistance) return false;
    }
    return true;
}

GameEnd gameEnd() {
    if (isGameOver()) return GameEnd::Crash;
    if (hasEscaped()) return GameEnd::Escape;
    return GameEnd::None;
}

void restartGame() {
    SceneObject& craft = *world.allObjects[0];
    craft.speed = 0.0f;
    place(craft, craftStartPosition, craft.angleZ, craft.angleX);
    for (SceneObject* enemy : world.enemies) place(*enemy, randomEnemyPlacement(), craft.angleZ, craft.angleX);
}
