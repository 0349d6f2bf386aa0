#pragma once
// The player's craft: mouse steering, throttle, brake, sideways and vertical movement.

struct GLFWwindow;

// One flight step of the player's craft (Chase mode only); steering: the mouse turns it (not while
// the settings panel has the cursor).
void flyPlayer(GLFWwindow* window, float dt, bool steering = true);
