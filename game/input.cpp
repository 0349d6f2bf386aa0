#include "game/input.h"

InputFunctions glfwInput() {
    return InputFunctions{glfwGetKey, glfwGetCursorPos, glfwSetCursorPos, glfwGetWindowSize, glfwGetFramebufferSize};
}

InputFunctions input = glfwInput();
