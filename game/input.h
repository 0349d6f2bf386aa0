#pragma once
// The seam between game rules and GLFW's input: a table of functions that defaults to GLFW's
// and that tests replace with scripted key and cursor states.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <glm/glm.hpp>

struct InputFunctions {
    int (*getKey)(GLFWwindow* window, int key);
    void (*getCursorPos)(GLFWwindow* window, double* x, double* y);
    void (*setCursorPos)(GLFWwindow* window, double x, double y);
    void (*getWindowSize)(GLFWwindow* window, int* width, int* height);
    void (*getFramebufferSize)(GLFWwindow* window, int* width, int* height);
    int (*getMouseButton)(GLFWwindow* window, int button);
};

// The table in use; GLFW's functions unless a test swapped it.
extern InputFunctions input;

// GLFW's own functions.
InputFunctions glfwInput();

// The window's centre in screen coordinates, its size halved and rounded down: where mouse
// steering and mouse look keep the cursor.
glm::dvec2 windowCentre();
// Puts the cursor at the window's centre.
void centreCursor(GLFWwindow* window);

// True while the key is held.
inline bool keyHeld(GLFWwindow* window, int key) { return input.getKey(window, key) == GLFW_PRESS; }

// The keys pressed since the frame began to poll events, in press order: GLFW's key callback
// records them, so a press and release between two frames still counts (tests record their own).
struct KeyPresses {
    static constexpr int capacity = 32;  // presses beyond this in one frame are dropped
    int keys[capacity] = {};
    int count = 0;
};
extern KeyPresses keyPresses;

// Appends a press; the key callback's one job.
void recordKeyPress(int key);
// Forgets every recorded press: each frame before it polls events, and when a new game starts.
void clearKeyPresses();
// True when the key was pressed since the presses were last cleared.
bool keyWasPressed(int key);
// Held now, or pressed and perhaps already released since the frame began: keys that act every
// frame while held, yet must not miss a tap shorter than a frame.
inline bool keyHeldOrPressed(GLFWwindow* window, int key) { return keyHeld(window, key) || keyWasPressed(key); }
