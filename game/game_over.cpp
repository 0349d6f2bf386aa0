#include "game/game_over.h"

#include "game/setup.h"
#include "game/world.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"

namespace {
constexpr float eyeMargin = 0.1f;
constexpr float escapeDistance = 400.0f;

// The radius of the eye's sphere: in the chase view the eye stands for the whole craft.
float eyeRadius(const Camera& camera) {
    return camera.mode == CameraMode::Chase ? worldRadius(*camera.target) : eyeMargin;
}

// An orbit view's eye sits on the circle of the sphere orbiting the enemy it watches, and the eye
// put inside an object on purpose has not left it yet: neither ends the game.
bool eyeMayTouch(const Camera& camera, const SceneObject* object) {
    if (object == world.eyeLeavingObject) return true;
    return camera.mode == CameraMode::Orbit && object == world.orbitSphere && camera.target == world.leadEnemy;
}
}  // namespace

bool isGameOver() {
    const Camera& camera = *world.camera;
    const float radius = eyeRadius(camera);
    for (const SceneObject* object : world.allObjects) {
        if (!eyeMayTouch(camera, object) && touchesSphere(*object, radius, camera.position)) return true;
    }
    return false;
}

void putEyeInside(const SceneObject* object) { world.eyeLeavingObject = object; }

void noteWhereTheEyeIs() {
    const SceneObject* object = world.eyeLeavingObject;
    const Camera& camera = *world.camera;
    if (object && !sphereOverlaps(*object, eyeRadius(camera), camera.position)) world.eyeLeavingObject = nullptr;
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
