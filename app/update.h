#pragma once
// One frame's update: keys, flight, toggles, pursuit, orbit sphere, viewer position, camera (with the
// window's sizes as last read).

struct GLFWwindow;

void updateWorld(GLFWwindow* window, float dt);
