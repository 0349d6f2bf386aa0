#pragma once
// Fullscreen on the monitor the window is on, and back to the window it was.

#include <iosfwd>

struct GLFWwindow;

// True while the window covers a monitor in that monitor's video mode.
bool isFullscreen(GLFWwindow* window);
// Switches between the window and fullscreen on the monitor holding the window's centre (the
// primary one when none does), at that monitor's current video mode; back, the window gets its
// earlier position and size. Writes "Fullscreen enabled" or "Fullscreen disabled" when out is given.
void toggleFullscreen(GLFWwindow* window, std::ostream* out);
