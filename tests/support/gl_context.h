#pragma once
// A real OpenGL 4.1 core context for GL tests (Mesa's llvmpipe under Xvfb in CI).

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <vector>

// Opens the game's 800 x 600 window with its 4.1 core context, once per process; later calls
// return the same window. Ends the test program when none can be made.
GLFWwindow* sharedGlContext();

// RGBA bytes of the bound read framebuffer, bottom row first.
std::vector<unsigned char> readPixels(int x, int y, int width, int height);
