#pragma once
// The camera's view volume as six planes, rebuilt from every view.

#include <glm/glm.hpp>

struct SceneObject;

// The camera's view volume, shared by its projection and its frustum; the vertical field of view is
// the player's setting.
constexpr float nearDistance = 0.1f;
constexpr float farDistance = 1000.0f;
// Width over height of the window's framebuffer.
float cameraAspect();
// Half the vertical field of view (degrees), radians.
float viewHalfAngle(float fieldOfView);

struct Plane {
    glm::vec3 normal{0.0f};  // unit length, pointing out of the view volume
    glm::vec3 point{0.0f};   // a corner of the frustum on the plane
    float d = 0.0f;          // -(normal . point)
};

enum FrustumPlane { FrustumTop, FrustumBottom, FrustumLeft, FrustumRight, FrustumNear, FrustumFar };

struct Frustum {
    Plane planes[6];  // top, bottom, left, right, near, far

    // Rebuilds the planes for this eye, look-at point, up vector and vertical field of view
    // (degrees) with the camera's projection.
    void updateFrustum(glm::vec3 eye, glm::vec3 lookAt, glm::vec3 up, float fieldOfView);
};

// False when the object's bounding sphere lies wholly outside a plane of the frustum.
bool isInFrustum(const Frustum& frustum, const SceneObject& object);
