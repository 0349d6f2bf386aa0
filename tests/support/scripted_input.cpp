#include "tests/support/scripted_input.h"

ScriptedInput script;

namespace {
int scriptedGetKey(GLFWwindow*, int key) { return script.heldKeys.count(key) ? GLFW_PRESS : GLFW_RELEASE; }
void scriptedGetCursorPos(GLFWwindow*, double* x, double* y) {
    *x = script.cursorX;
    *y = script.cursorY;
}
void scriptedSetCursorPos(GLFWwindow*, double x, double y) {
    script.cursorX = x;
    script.cursorY = y;
    script.cursorMoves.emplace_back(x, y);
}
void scriptedGetWindowSize(GLFWwindow*, int* width, int* height) {
    *width = script.windowWidth;
    *height = script.windowHeight;
}
int scriptedGetMouseButton(GLFWwindow*, int button) { return script.heldButtons.count(button) ? GLFW_PRESS : GLFW_RELEASE; }
}  // namespace

void installScriptedInput() {
    script = ScriptedInput{};
    input = InputFunctions{scriptedGetKey, scriptedGetCursorPos, scriptedSetCursorPos, scriptedGetWindowSize,
                           scriptedGetWindowSize, scriptedGetMouseButton};
}

void restoreGlfwInput() { input = glfwInput(); }
