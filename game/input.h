#pragma once
// The seam between game rules and GLFW's input: a table of functions that defaults to GLFW's
// and that tests replace with scripted key and cursor states.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

struct InputFunctions {
    int (*getKey)(GLFWwindow* window, int key);
    void (*getCursorPos)(GLFWwindow* window, double* x, double* y);
    void (*setCursorPos)(GLFWwindow* window, double x, double y);
    void (*getWindowSize)(GLFWwindow* window, int* width, int* height);
    void (*getFramebufferSize)(GLFWwindow* window, int* width, int* height);
};

// The table in use; GLFW's functions unless a test swapped it.
extern InputFunctions input;

// GLFW's own functions.
InputFunctions glfwInput();

// True while the key is held.
inline bool keyHeld(GLFWwindow* window, int key) { return input.getKey(window, key) == GLFW_PRESS; }
