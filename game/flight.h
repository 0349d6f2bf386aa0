#pragma once
// The player's craft: mouse steering, throttle, brake, sideways and vertical movement.

struct GLFWwindow;

// One flight step of the player's craft (Chase mode only).
void flyPlayer(GLFWwindow* window, float dt);
