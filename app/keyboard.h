#pragma once
// Camera keys (1 to 6, 8) and the toggle keys (F1 to F9, F11, F12, M, H).

#include <iosfwd>

struct GLFWwindow;

// Keys 1 to 6: every frame while held, and once for a press shorter than a frame; the key pressed
// last decides the view.
void handleCameraKeys(GLFWwindow* window);
// The console's words for a switch's state: "enabled" or "disabled".
const char* enabledWord(bool on);
// The console's word for a mip-map mode: "off", "nearest" or "linear".
const char* mipmapWord(int mode);
// "chase", "free" or "orbit 3" to "orbit 6": the view the camera keys chose.
const char* currentViewName();
// Key 8 in Free mode, held or pressed this frame: the eye jumps to the light.
void handleLightKey(GLFWwindow* window);
// Each press of F1 to F9, M, H (overlay), F11 (fullscreen) or F12 (screenshot) recorded this frame
// acts once, in press order, however long the key is held.
void handleToggleKeys(GLFWwindow* window, std::ostream& out);
// Writes the current filters into every texture and its sampler.
void refilterTextures();
