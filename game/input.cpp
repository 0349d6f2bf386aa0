#include "game/input.h"

#include "game/world.h"

InputFunctions glfwInput() {
    return InputFunctions{glfwGetKey,        glfwGetCursorPos,       glfwSetCursorPos,
                          glfwGetWindowSize, glfwGetFramebufferSize, glfwGetMouseButton};
}

InputFunctions input = glfwInput();

glm::dvec2 windowCentre() { return glm::dvec2(world.windowWidth / 2, world.windowHeight / 2); }

void centreCursor(GLFWwindow* window) {
    const glm::dvec2 centre = windowCentre();
    input.setCursorPos(window, centre.x, centre.y);
}

KeyPresses keyPresses;

void recordKeyPress(int key) {
    if (keyPresses.count < KeyPresses::capacity) keyPresses.keys[keyPresses.count++] = key;
}

void clearKeyPresses() { keyPresses.count = 0; }

bool keyWasPressed(int key) {
    for (int i = 0; i < keyPresses.count; ++i) {
        if (keyPresses.keys[i] == key) return true;
    }
    return false;
}
