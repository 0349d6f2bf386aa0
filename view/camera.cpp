#include "view/camera.h"

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "game/input.h"
#include "game/world.h"
#include "view/bounds.h"
#include "view/precise_math.h"

namespace {
glm::vec3 dehomogenize(glm::vec4 point) { return glm::vec3(point) / point.w; }

glm::vec3 originOf(const SceneObject& object) {
    return dehomogenize(objectMatrix(object) * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
}

// The view, projection and frustum of one eye; every mode ends here.
glm::mat4 look(Camera& camera, glm::vec3 eye, glm::vec3 lookAt, glm::vec3 up) {
    camera.lookAt = lookAt;
    camera.up = up;
    camera.view = glm::lookAt(eye, lookAt, up);
    camera.projection = cameraProjection(camera.fieldOfView);
    camera.frustum.updateFrustum(eye, lookAt, up, camera.fieldOfView);
    camera.viewProjection = camera.projection * camera.view;
    return camera.viewProjection;
}

// Any of the keys held moves the eye one step along v.
void stepIf(Camera& camera, bool held, glm::vec3 v, float dt) {
    if (held) camera.position += camera.moveSpeed * (v * dt);
}
}  // namespace

void reproject(Camera& camera) { look(camera, camera.position, camera.lookAt, camera.up); }

void lookAtPoint(Camera& camera, glm::vec3 eye, glm::vec3 target) {
    camera.position = eye;
    look(camera, eye, target, glm::vec3(0.0f, 1.0f, 0.0f));
}

Camera::Camera(GLFWwindow* window) { readWindowSizes(window); }

void aimAlong(Camera& camera, glm::vec3 d) {
    // A zero direction (eye on the look-at point) has no angles; keep the old ones rather than NaN.
    if (d == glm::vec3(0.0f)) return;
    d = normalizeF(d);
    // Rounding can push a vertical unit vector just past 1, where asin has no value.
    const float height = glm::clamp(d.y, -1.0f, 1.0f);
    const float x = d.x == 0.0f ? 1e-9f : d.x;
    camera.pitch = static_cast<float>(static_cast<double>(asinF(height)) - glm::half_pi<double>());
    camera.yaw = static_cast<float>(static_cast<double>(atan2F(d.z, x)) + glm::pi<double>());
}


void readWindowSizes(GLFWwindow* window) {
    const int oldWidth = world.windowWidth, oldHeight = world.windowHeight;
    input.getWindowSize(window, &world.windowWidth, &world.windowHeight);
    input.getFramebufferSize(window, &world.frameWidth, &world.frameHeight);
    // The cursor was kept at the old centre: moving it to the new one turns nothing.
    if (oldWidth != 0 && (world.windowWidth != oldWidth || world.windowHeight != oldHeight)) {
        centreCursor(window);
    }
}

void Camera::switchToFree(glm::vec3 eye, float newYaw, float newPitch) {
    if (eye != glm::vec3(0.0f)) {
        position = eye;
        yaw = newYaw;
        pitch = newPitch;
    } else {
        world.recenterCursor = true;
        if (mode == CameraMode::Chase) {
            // position is still the eye of the last chase view.
            aimAlong(*this, dehomogenize(objectMatrix(*target) * glm::vec4(chaseLook, 1.0f)) - position);
        } else if (mode == CameraMode::Orbit) {
            const glm::vec3 origin = originOf(*target);
            position = origin + orbitEyeOffset;
            aimAlong(*this, origin + orbitLookOffset - position);
        }
    }
    mode = CameraMode::Free;
}

glm::mat4 Camera::updateCamera(GLFWwindow* window, float dt) {
    fieldOfView = world.settings.parameters.fieldOfView;
    if (mode == CameraMode::Free) return updateFree(window, dt);
    if (mode == CameraMode::Orbit) {
        updateOrbit();
    } else {
        updateChase();
    }
    return viewProjection;
}

void Camera::lookWithMouse(GLFWwindow* window) {
    const glm::dvec2 centre = windowCentre();
    if (world.recenterCursor) {
        centreCursor(window);
        world.recenterCursor = false;
    }
    double mouseX = 0.0;
    double mouseY = 0.0;
    input.getCursorPos(window, &mouseX, &mouseY);
    centreCursor(window);
    yaw = yaw - static_cast<float>(centre.x - mouseX) * mouseSpeed;
    pitch = static_cast<float>(centre.y - mouseY) * mouseSpeed + pitch;
}

glm::mat4 Camera::updateFree(GLFWwindow* window, float dt) {
    if (keyHeldOrPressed(window, GLFW_KEY_R)) {
        // Along -X, level: a pitch in [-pi, 0] keeps the world's up as the view's up.
        position = glm::vec3(0.0f, 0.0f, 5.0f);
        yaw = static_cast<float>(3.14 + glm::pi<double>());
        pitch = -glm::half_pi<float>();
    }
    // While the settings panel has the cursor, the mouse does not look around.
    if (!world.settings.settingsPanel) lookWithMouse(window);

    const glm::vec3 direction(sinF(pitch) * cosF(yaw), cosF(pitch), sinF(pitch) * sinF(yaw));
    const glm::vec3 right(cosF(yaw - 1.57f), 0.0f, sinF(yaw - 1.57f));
    const glm::vec3 up = glm::cross(right, direction);

    stepIf(*this, keyHeld(window, GLFW_KEY_UP) || keyHeld(window, GLFW_KEY_W), direction, dt);
    stepIf(*this, keyHeld(window, GLFW_KEY_DOWN) || keyHeld(window, GLFW_KEY_S), -direction, dt);
    stepIf(*this, keyHeld(window, GLFW_KEY_RIGHT) || keyHeld(window, GLFW_KEY_D), right, dt);
    stepIf(*this, keyHeld(window, GLFW_KEY_LEFT) || keyHeld(window, GLFW_KEY_A), -right, dt);
    stepIf(*this, keyHeld(window, GLFW_KEY_SPACE), up, dt);
    stepIf(*this, keyHeld(window, GLFW_KEY_LEFT_SHIFT), -up, dt);

    return look(*this, position, position + direction, up);
}

void Camera::updateOrbit() {
    const glm::vec3 origin = originOf(*target);
    position = origin + orbitEyeOffset;
    look(*this, position, origin + orbitLookOffset, glm::vec3(0.0f, 1.0f, 0.0f));
}

void Camera::updateChase() {
    const glm::mat4 matrix = objectMatrix(*target);
    position = dehomogenize(matrix * glm::vec4(chaseEye, 1.0f));
    const glm::vec3 lookAt = dehomogenize(matrix * glm::vec4(chaseLook, 1.0f));
    const glm::vec3 up(matrix * glm::vec4(chaseUp, 0.0f));
    look(*this, position, lookAt, up);
}

void chaseCraft(Camera& camera, SceneObject* craft) {
    camera.target = craft;
    camera.chaseEye = craftChaseEye;
    camera.chaseLook = craftChaseLook;
    camera.chaseUp = craftChaseUp;
    camera.mode = CameraMode::Chase;
}

glm::vec3 chaseEyePosition(const SceneObject& craft) {
    return dehomogenize(objectMatrix(craft) * glm::vec4(craftChaseEye, 1.0f));
}

glm::mat4 cameraProjection(float fieldOfView) {
    // The frustum's own tangent: a float tangent of the float angle would round differently.
    const float tangent = tanF(viewHalfAngle(fieldOfView));
    glm::mat4 projection(0.0f);
    projection[0][0] = 1.0f / (cameraAspect() * tangent);
    projection[1][1] = 1.0f / tangent;
    projection[2][2] = -(farDistance + nearDistance) / (farDistance - nearDistance);
    projection[2][3] = -1.0f;
    projection[3][2] = -(2.0f * farDistance * nearDistance) / (farDistance - nearDistance);
    return projection;
}
