#include "game/flight.h"

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtx/orthonormalize.hpp>

#include "game/input.h"
#include "game/world.h"
#include "view/bounds.h"

namespace {
constexpr double mouseTurnRate = 0.01;  // radians per pixel
constexpr float throttleRate = 7.0f;
constexpr float brakeFactor = 0.5f;
constexpr float brakeDeadZone = 0.1f;
constexpr float motionScale = 10.0f;
constexpr float strafeRate = 3.0f;
constexpr float axisDivisor = 3.0f;

bool eitherHeld(GLFWwindow* window, int key, int alternative) {
    return keyHeld(window, key) || keyHeld(window, alternative);
}

// The craft's axes in its model's space: forward, left (side) and up (lift).
constexpr glm::vec3 craftForward{1.0f, 0.0f, 0.0f};
constexpr glm::vec3 craftSide{0.0f, 1.0f, 0.0f};
constexpr glm::vec3 craftUp{0.0f, 0.0f, 1.0f};

// One of the craft's axes in world space, a third long so the speeds come out as tuned.
glm::vec3 craftAxis(const glm::mat4& matrix, glm::vec3 direction) {
    return glm::vec3(matrix * glm::vec4(direction, 0.0f)) / axisDivisor;
}

// Turns the orientation about one of the craft's own axes (in its model's space) by angle radians.
void turnAbout(glm::mat3& orientation, const glm::mat4& modelMatrix, glm::vec3 modelAxis, float angle) {
    const glm::vec3 axis = glm::normalize(glm::mat3(modelMatrix) * modelAxis);
    orientation = orientation * glm::mat3(glm::rotate(glm::mat4(1.0f), angle, axis));
}

// Turns by the cursor's offset from the window centre and puts the cursor back there. Both turns
// are about the craft's own axes, so they act the same in every attitude: mouse x rolls it about
// its forward axis (or yaws it about its up axis), mouse y pitches it about its side axis.
void steer(GLFWwindow* window, SceneObject& craft, bool mouseXTurns) {
    double x = 0.0;
    double y = 0.0;
    input.getCursorPos(window, &x, &y);
    const glm::dvec2 centre = windowCentre();
    centreCursor(window);
    const float right = static_cast<float>((x - centre.x) * mouseTurnRate);
    const float up = static_cast<float>((centre.y - y) * mouseTurnRate);
    if (right == 0.0f && up == 0.0f) return;
    glm::mat3 orientation = craft.orientation;
    const glm::mat4& modelMatrix = craft.model->modelMatrix;
    if (mouseXTurns) {
        turnAbout(orientation, modelMatrix, -craftUp, right);  // the nose swings toward the right
    } else {
        turnAbout(orientation, modelMatrix, craftForward, right);  // the top leans to the right
    }
    turnAbout(orientation, modelMatrix, glm::cross(craftForward, craftUp), up);  // the nose rises
    // Rounding would slowly skew and stretch a product of many turns.
    craft.orientation = glm::orthonormalize(orientation);
}

float throttle(GLFWwindow* window, float speed, float dt) {
    if (eitherHeld(window, GLFW_KEY_UP, GLFW_KEY_W)) speed += dt * throttleRate;
    if (eitherHeld(window, GLFW_KEY_DOWN, GLFW_KEY_S)) speed -= dt * throttleRate;
    if (keyHeld(window, GLFW_KEY_Q)) {
        speed -= speed * dt * brakeFactor;
        // Braking alone would never reach a standstill.
        if (speed > -brakeDeadZone && speed < brakeDeadZone) speed = 0.0f;
    }
    return std::clamp(speed, craftMinSpeed, craftMaxSpeed);
}

// Sideways and vertical movement, independent of the throttle.
glm::vec3 strafe(GLFWwindow* window, const glm::mat4& matrix, float dt) {
    const glm::vec3 side = craftAxis(matrix, craftSide) * (dt * motionScale * strafeRate);
    const glm::vec3 lift = craftAxis(matrix, craftUp) * (dt * motionScale * strafeRate);
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
    // The turn takes effect with the placement below: this frame moves along the old axes.
    const glm::mat4 matrix = objectMatrix(craft);
    if (steering) steer(window, craft, world.settings.mouseXTurns);
    craft.speed = throttle(window, craft.speed, dt);
    const glm::vec3 forward = craftAxis(matrix, craftForward) * (dt * motionScale * craft.speed);
    place(craft, craft.position + forward + strafe(window, matrix, dt), craft.orientation);
}
