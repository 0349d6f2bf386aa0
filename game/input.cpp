#include "game/input.h"

InputFunctions glfwInput() {
    return InputFunctions{glfwGetKey, glfwGetCursorPos, glfwSetCursorPos, glfwGetWindowSize, glfwGetFramebufferSize};
}

InputFunctions input = glfwInput();

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
