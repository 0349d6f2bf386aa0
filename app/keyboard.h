#pragma once
// Camera keys (1 to 6, 8) and the toggle keys (F1 to F9, F11, F12, M, H) with their shared cooldown.

#include <iosfwd>

struct GLFWwindow;

// Keys 1 to 6, tested in order every frame; the last held one decides the view.
void handleCameraKeys(GLFWwindow* window);
// The console's words for a switch's state: "enabled" or "disabled".
const char* enabledWord(bool on);
// The console's word for a mip-map mode: "off", "nearest" or "linear".
const char* mipmapWord(int mode);
// "chase", "free" or "orbit 3" to "orbit 6": the view the camera keys chose.
const char* currentViewName();
// Key 8 in Free mode: the eye jumps to the light.
void handleLightKey(GLFWwindow* window);
// Counts the cooldown down by dt; once it has run out, handles the first held key of F1 to F9, and
// M, H (overlay), F11 (fullscreen) and F12 (screenshot) beside it.
void handleToggleKeys(GLFWwindow* window, float dt, std::ostream& out);
// Writes the current filters into every texture and its sampler.
void refilterTextures();
