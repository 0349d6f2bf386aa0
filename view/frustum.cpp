#include "view/frustum.h"

void Frustum::updateFrustum(glm::vec3, glm::vec3, glm::vec3) {}
bool isInFrustum(const SceneObject&) { return true; }
