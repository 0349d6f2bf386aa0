#pragma once
// Camera keys (1 to 6, 8) and the toggle keys (F1 to F9, M) with their shared cooldown.

#include <iosfwd>

struct GLFWwindow;

// Keys 1 to 6, tested in order every frame; the last held one decides the view.
void handleCameraKeys(GLFWwindow* window);
// Key 8 in Free mode: the eye jumps to the light.
void handleLightKey(GLFWwindow* window);
// Counts the cooldown down by dt; once it has run out, handles the first held F key and M.
void handleToggleKeys(GLFWwindow* window, float dt, std::ostream& out);
// Writes the current filters into every texture and its sampler.
void refilterTextures();
