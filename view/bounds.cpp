#include "view/bounds.h"

#include "game/world.h"

void place(SceneObject& object, glm::vec3 position, float angleZ, float angleX) {
    object.position = position;
    object.angleZ = angleZ;
    object.angleX = angleX;
}
glm::mat4 objectMatrix(const SceneObject& object) { return object.transform; }
glm::vec3 worldCenter(const SceneObject& object) { return object.position; }
float worldRadius(const SceneObject&) { return 0.0f; }
bool touchesSphere(const SceneObject&, float, glm::vec3) { return false; }
bool sphereOverlaps(const SceneObject&, float, glm::vec3) { return false; }
