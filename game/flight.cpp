#include "game/flight.h"

#include <algorithm>

#include "game/input.h"
#include "game/world.h"
#include "view/bounds.h"

namespace {
constexpr double mouseTurnRate = 0.01;  // radians per pixel
constexpr float throttleRate = 7.0f;
constexpr float brakeFactor = 0.5f;
constexpr float brakeDeadZone = 0.1f;
constexpr float maxSpeed = 20.0f;
constexpr float minSpeed = -7.0f;
constexpr float motionScale = 10.0f;
constexpr float strafeRate = 3.0f;
constexpr float axisDivisor = 3.0f;

bool eitherHeld(GLFWwindow* window, int key, int alternative) {
    return keyHeld(window, key) || keyHeld(window, alternative);
}

// One of the craft's axes in world space, a third long so the speeds come out as tuned.
glm::vec3 craftAxis(const glm::mat4& matrix, glm::vec3 direction) {
    return glm::vec3(matrix * glm::vec4(direction, 0.0f)) / axisDivisor;
}

// Turns by the cursor's offset from the window centre and puts the cursor back there.
void steer(GLFWwindow* window, float& angleZ, float& angleX) {
    double x = 0.0;
    double y = 0.0;
    input.getCursorPos(window, &x, &y);
    const int centreX = world.windowWidth / 2;
    const int centreY = world.windowHeight / 2;
    input.setCursorPos(window, centreX, centreY);
    const float dx = static_cast<float>(centreX - x);
    const float dy = static_cast<float>(centreY - y);
    angleX = static_cast<float>(angleX - dx * mouseTurnRate);
    angleZ = static_cast<float>(angleZ + dy * mouseTurnRate);
}

float throttle(GLFWwindow* window, float speed, float dt) {
    if (eitherHeld(window, GLFW_KEY_UP, GLFW_KEY_W)) speed += dt * throttleRate;
    if (eitherHeld(window, GLFW_KEY_DOWN, GLFW_KEY_S)) speed -= dt * throttleRate;
    if (keyHeld(window, GLFW_KEY_Q)) {
        speed -= speed * dt * brakeFactor;
        // Braking alone would never reach a standstill.
        if (speed > -brakeDeadZone && speed < brakeDeadZone) speed = 0.0f;
    }
    return std::clamp(speed, minSpeed, maxSpeed);
}

// Sideways and vertical movement, independent of the throttle.
glm::vec3 strafe(GLFWwindow* window, const glm::mat4& matrix, float dt) {
    const glm::vec3 side = craftAxis(matrix, {0.0f, 1.0f, 0.0f}) * (dt * motionScale * strafeRate);
    const glm::vec3 lift = craftAxis(matrix, {0.0f, 0.0f, 1.0f}) * (dt * motionScale * strafeRate);
    glm::vec3 offset(0.0f);
    if (eitherHeld(window, GLFW_KEY_RIGHT, GLFW_KEY_D)) offset -= side;
    if (eitherHeld(window, GLFW_KEY_LEFT, GLFW_KEY_A)) offset += side;
    if (keyHeld(window, GLFW_KEY_SPACE)) offset += lift;
    if (keyHeld(window, GLFW_KEY_LEFT_SHIFT)) offset -= lift;
    return offset;
}
}  // namespace

void flyPlayer(GLFWwindow* window, float dt, bool steering) {
    SceneObject& craft = *world.allObjects[0];
    float angleZ = craft.angleZ;
    float angleX = craft.angleX;
    if (steering) steer(window, angleZ, angleX);
    // The new angles only take effect with the placement below.
    const glm::mat4 matrix = objectMatrix(craft);
    craft.speed = throttle(window, craft.speed, dt);
    const glm::vec3 forward = craftAxis(matrix, {1.0f, 0.0f, 0.0f}) * (dt * motionScale * craft.speed);
    place(craft, craft.position + forward + strafe(window, matrix, dt), angleZ, angleX);
}
