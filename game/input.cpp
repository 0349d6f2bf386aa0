#include "game/input.h"

InputFunctions glfwInput() {
    return InputFunctions{glfwGetKey, glfwGetCursorPos, glfwSetCursorPos, glfwGetWindowSize};
}

InputFunctions input = glfwInput();
