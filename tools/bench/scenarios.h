#pragma once
// Fixed scenarios of the real world, shared by the benchmark and the test that compares the
// optimised passes with the reference ones: each starts from the world as set up and holds one
// key (or none) for every frame.


struct Scenario {
    const char* name;
    int heldKey;           // GLFW key held on every frame, 0 for none
    void (*prepare)();     // puts the camera or the settings in place after the reset
};

constexpr int scenarioCount = 9;
extern const Scenario scenarios[scenarioCount];

// Frame time every scenario frame steps the world by.
constexpr float scenarioFrameTime = 1.0f / 60.0f;

// Remembers the world as set up now: every scenario starts from it.
void rememberStartState();
// Puts the world back in its starting state, then prepares the scenario, holds its key and keeps
// the cursor at the window's centre.
void startScenario(const Scenario& scenario);
