#pragma once
// One frame's update: keys, flight, toggles, pursuit, orbit sphere, viewer position, camera (with the
// window's sizes as last read).

struct GLFWwindow;

void updateWorld(GLFWwindow* window, float dt);
// The camera's view, projection and frustum for this frame, then the eye position uniforms.
void updateView(GLFWwindow* window, float dt);
