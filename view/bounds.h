#pragma once
// Placement of objects and their bounding spheres, always derived from the current transform.

#include <glm/glm.hpp>

struct SceneObject;

// Stores position and orientation; transform = translate(position) * orientation.
void place(SceneObject& object, glm::vec3 position, const glm::mat3& orientation = glm::mat3(1.0f));
// The orientation that turns about Z by angleZ, then about X by angleX (radians).
glm::mat3 orientationFromAngles(float angleZ, float angleX);
// transform * model->modelMatrix.
glm::mat4 objectMatrix(const SceneObject& object);
// World image of the model's center.
glm::vec3 worldCenter(const SceneObject& object);
// Distance between the world images of the model's center and farthest vertex.
float worldRadius(const SceneObject& object);
// True when the sphere (point, radius) touches or overlaps the object's sphere, collidable or not.
bool sphereOverlaps(const SceneObject& object, float radius, glm::vec3 point);
// True when the object is collidable and the sphere (point, radius) touches or overlaps its sphere.
bool touchesSphere(const SceneObject& object, float radius, glm::vec3 point);
