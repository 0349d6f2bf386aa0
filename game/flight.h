#pragma once
// The player's craft: mouse steering, throttle, brake, sideways and vertical movement.

struct GLFWwindow;

// The craft's speed limits: forward, and backward (negative), in speed units.
constexpr float craftMaxSpeed = 20.0f;
constexpr float craftMinSpeed = -7.0f;

// One flight step of the player's craft (Chase mode only); steering: the mouse turns it (not while
// the settings panel has the cursor).
void flyPlayer(GLFWwindow* window, float dt, bool steering = true);
