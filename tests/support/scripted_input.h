#pragma once
// Scripted keys, mouse buttons, cursor and window size (the framebuffer's too) for tests of game rules and camera maths.

#include <set>
#include <vector>

#include "game/input.h"

struct ScriptedInput {
    std::set<int> heldKeys;
    std::set<int> heldButtons;  // mouse buttons
    double cursorX = 400.0;
    double cursorY = 300.0;
    int windowWidth = 800;
    int windowHeight = 600;
    std::vector<std::pair<double, double>> cursorMoves;  // every setCursorPos, in order
};

// The script all scripted input functions read; reset by installScriptedInput.
extern ScriptedInput script;

// Replaces the input table with the script's functions and clears the script.
void installScriptedInput();
// Puts GLFW's functions back.
void restoreGlfwInput();

// RAII guard for a test: scripted input while it lives.
struct ScriptedInputScope {
    ScriptedInputScope() { installScriptedInput(); }
    ~ScriptedInputScope() { restoreGlfwInput(); }
};
