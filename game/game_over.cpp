#include "game/game_over.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "game/flight.h"
#include "game/setup.h"
#include "game/world.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

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

bool hasEscaped() { return !(nearestEnemyDistance() < escapeDistance); }

float nearestEnemyDistance() {
    const glm::vec3 craftPosition = world.allObjects[0]->position;
    float nearest = std::numeric_limits<float>::infinity();
    for (const SceneObject* enemy : world.enemies) {
        nearest = std::min(nearest, distanceF(craftPosition, enemy->position));
    }
    return nearest;
}

void describeGoal(float speed, float nearestEnemy, bool enemiesFollow, char* text, size_t size) {
    const int used = speed < 0.0f ? std::snprintf(text, size, "Throttle %.1f reverse (of %.0f)", -speed, -craftMinSpeed)
                                  : std::snprintf(text, size, "Throttle %.1f of %.0f", speed, craftMaxSpeed);
    // Rounded down: 399.6 units still reads as short of 400.
    if (enemiesFollow && used >= 0 && static_cast<size_t>(used) < size) {
        std::snprintf(text + used, size - static_cast<size_t>(used), "\nNearest enemy %.0f of %.0f to escape",
                      std::floor(nearestEnemy), escapeDistance);
    }
}

GameEnd gameEnd() {
    if (isGameOver()) return GameEnd::Crash;
    if (hasEscaped()) return GameEnd::Escape;
    return GameEnd::None;
}

void restartGame() {
    SceneObject& craft = *world.allObjects[0];
    craft.speed = 0.0f;
    place(craft, craftStartPosition, craft.orientation);
    for (SceneObject* enemy : world.enemies) place(*enemy, randomEnemyPlacement(), craft.orientation);
}
