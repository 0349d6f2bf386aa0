#include "view/camera.h"

#include "game/input.h"
#include "game/world.h"

// Placeholder until the camera lands: a fixed view.
Camera::Camera(GLFWwindow* window) { input.getWindowSize(window, &world.cameraWindowWidth, &world.cameraWindowHeight); }
void Camera::switchToFree(glm::vec3, float, float) { mode = CameraMode::Free; }
glm::mat4 Camera::updateCamera(GLFWwindow*, float) { return viewProjection; }
glm::mat4 Camera::updateFree(GLFWwindow*, float) { return viewProjection; }
void Camera::updateOrbit() {}
void Camera::updateChase() {}
glm::mat4 cameraProjection() { return glm::mat4(1.0f); }
