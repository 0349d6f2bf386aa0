#include "view/bounds.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtx/euler_angles.hpp>

#include "game/world.h"
#include "view/precise_math.h"

namespace {
// Affine images only: object and model matrices never project.
glm::vec3 toWorld(const glm::mat4& matrix, glm::vec3 point) { return glm::vec3(matrix * glm::vec4(point, 1.0f)); }
}  // namespace

void place(SceneObject& object, glm::vec3 position, const glm::mat3& orientation) {
    object.position = position;
    object.orientation = orientation;
    object.transform = glm::translate(glm::mat4(1.0f), position) * glm::mat4(orientation);
    object.worldPosition = glm::vec3(objectMatrix(object)[3]);
}

glm::mat3 orientationFromAngles(float angleZ, float angleX) {
    return glm::mat3(glm::eulerAngleX(angleX) * glm::eulerAngleZ(angleZ));
}

glm::mat4 objectMatrix(const SceneObject& object) { return object.transform * object.model->modelMatrix; }

glm::vec3 worldCenter(const SceneObject& object) { return toWorld(objectMatrix(object), object.model->center); }

float worldRadius(const SceneObject& object) {
    const glm::mat4 matrix = objectMatrix(object);
    return distanceF(toWorld(matrix, object.model->farthestVertex), toWorld(matrix, object.model->center));
}

bool sphereOverlaps(const SceneObject& object, float radius, glm::vec3 point) {
    // Written as "reaches at least" so that a NaN anywhere is a miss.
    return worldRadius(object) + radius >= distanceF(worldCenter(object), point);
}

bool touchesSphere(const SceneObject& object, float radius, glm::vec3 point) {
    return object.collidable && sphereOverlaps(object, radius, point);
}
