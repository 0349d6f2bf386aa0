#pragma once
// The one camera: chase, orbit and free modes; view, projection and frustum every frame.

#include <cstdint>

#include <glm/glm.hpp>

#include "view/frustum.h"

struct GLFWwindow;
struct SceneObject;

enum class CameraMode : int32_t { Free = 0, Orbit = 1, Chase = 2 };

struct Camera {
    CameraMode mode = CameraMode::Free;
    SceneObject* target = nullptr;      // followed object in Orbit and Chase; not owned
    glm::vec3 position{0.0f};           // eye in world space
    float yaw = 3.14f;                  // radians, Free mode
    float pitch = 0.0f;                 // radians from +Y, Free mode
    float moveSpeed = 13.0f;            // world units per second, Free mode
    float mouseSpeed = 0.005f;          // radians per cursor pixel, Free mode
    glm::vec3 orbitEyeOffset{0.0f};     // Orbit eye = target origin + this
    glm::vec3 orbitLookOffset{0.0f};    // Orbit look-at = target origin + this
    glm::mat4 viewProjection{1.0f};     // projection * view
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::vec3 chaseEye{0.0f};           // Chase eye in the target's model space
    glm::vec3 chaseLook{0.0f};          // Chase look-at point in the target's model space
    glm::vec3 chaseUp{0.0f};            // Chase up direction in the target's model space
    glm::vec3 lookAt{0.0f};             // the last look: its look-at point and up direction
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    float fieldOfView = 60.0f;          // vertical, degrees: the setting's, taken by every update
    Frustum frustum;

    // Starts in Free mode at the origin and reads the window's sizes.
    explicit Camera(GLFWwindow* window);

    // Enters Free mode at eye; with eye (0, 0, 0) keeps the current view instead.
    void switchToFree(glm::vec3 eye, float yaw, float pitch);
    // Recomputes view, projection and frustum for the current mode; returns viewProjection.
    glm::mat4 updateCamera(GLFWwindow* window, float dt);
    glm::mat4 updateFree(GLFWwindow* window, float dt);
    void lookWithMouse(GLFWwindow* window);  // turns by the cursor's offset from the centre, recentres it
    void updateOrbit();
    void updateChase();
};

// Projection, frustum and viewProjection again from the last look, for the camera's field of view.
void reproject(Camera& camera);
// View, projection and frustum of an eye looking at target, the world's up kept up; nothing of the
// camera's mode or angles changes, so a camera no update moves can be placed with it.
void lookAtPoint(Camera& camera, glm::vec3 eye, glm::vec3 target);

// Where the chase view puts its eye, look-at point and up direction, in the craft's model space.
inline const glm::vec3 craftChaseEye{-0.44f, 0.0f, 0.5f};
inline const glm::vec3 craftChaseLook{1.0f, 0.0f, 0.0f};
inline const glm::vec3 craftChaseUp{0.0f, 0.0f, 1.0f};

// Free-mode angles that reproduce the viewing direction d; a zero d keeps the angles.
void aimAlong(Camera& camera, glm::vec3 d);

// Puts the camera behind the craft in Chase mode (key 2 and the start of the game).
void chaseCraft(Camera& camera, SceneObject* craft);
// The chase view's eye in world space: where the craft is, for collisions, in every view.
glm::vec3 chaseEyePosition(const SceneObject& craft);

// Reads the window's size (mouse look centres the cursor in it) and its framebuffer's (the view's
// aspect) into the world; a window that changed size gets the cursor at its new centre.
void readWindowSizes(GLFWwindow* window);

// The perspective of this vertical field of view (degrees) with the framebuffer's aspect, near 0.1,
// far 1000, from the same tangent as the frustum.
glm::mat4 cameraProjection(float fieldOfView);
