#pragma once
// Fixed scenarios of the real world, shared by the benchmark and the test that compares the
// optimised passes with the reference ones: each starts from the world as set up and holds one
// key (or none) for every frame.

#include "render/frame.h"

struct GLFWwindow;
struct PassTimer;

struct Scenario {
    const char* name;
    int heldKey;           // GLFW key held on every frame, 0 for none
    void (*prepare)();     // puts the camera or the settings in place after the reset
};

constexpr int scenarioCount = 6;
extern const Scenario scenarios[scenarioCount];

// Frame time every scenario frame steps the world by.
constexpr float scenarioFrameTime = 1.0f / 60.0f;

// Sets the world and the render targets up as the game does, in the current context, and
// remembers the world's starting state.
FrameTargets setUpScenarioWorld(GLFWwindow* window);
// Puts the world back in its starting state, then prepares the scenario and holds its key.
void startScenario(const Scenario& scenario);
// The world's update, then one frame as the game draws it (without end screens).
void updateScenario(GLFWwindow* window);
void renderScenarioFrame(const FrameTargets& targets, PassTimer* timer);
