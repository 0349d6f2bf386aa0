#include "game/pursuit.h"

#include "game/world.h"
#include "view/bounds.h"
#include "view/precise_math.h"

namespace {
constexpr float pursuitSpeed = 15.0f;  // units per second
constexpr float sidestepBlend = 0.5f;

// Unit vector along v; a zero vector stays zero rather than turning into NaN.
glm::vec3 directionOrZero(glm::vec3 v) { return lengthF(v) > 0.0f ? normalizeF(v) : glm::vec3(0.0f); }

// The first object other than the enemy that a sphere of the enemy's radius at point would touch.
const SceneObject* firstObstacle(const SceneObject& enemy, float radius, glm::vec3 point) {
    for (const SceneObject* object : world.allObjects) {
        if (object != &enemy && touchesSphere(*object, radius, point)) return object;
    }
    return nullptr;
}

void pursue(SceneObject& enemy, glm::vec3 target, float dt) {
    const float radius = worldRadius(enemy);
    glm::vec3 step = directionOrZero(target - enemy.position) * dt * pursuitSpeed;
    const glm::vec3 next = enemy.position + step;
    if (const SceneObject* obstacle = firstObstacle(enemy, radius, next)) {
        step = (directionOrZero(next - worldCenter(*obstacle)) + step) * sidestepBlend;
    }
    place(enemy, enemy.position + step, enemy.orientation);
}
}  // namespace

void pursuePlayer(float dt) {
    if (world.allObjects.empty()) return;
    const glm::vec3 craftPosition = world.allObjects[0]->position;
    for (SceneObject* enemy : world.enemies) pursue(*enemy, craftPosition, dt);
}
