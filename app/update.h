#pragma once
// One frame's update: keys, flight, toggles, pursuit, orbit sphere, viewer position, camera.

struct GLFWwindow;

void updateWorld(GLFWwindow* window, float dt);
