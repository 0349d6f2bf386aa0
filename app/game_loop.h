#pragma once
// The whole run: window and context, start-up, the frame loop, end screens, shut-down.

#include "app/game_options.h"

struct GLFWwindow;

// Opens the "Quorlax" window of this size with a current 4.1 core context, GLEW loaded and the
// cursor captured; any failure is fatal.
GLFWwindow* openGameWindow(int width = 800, int height = 600);
// Back-face culling, depth test, alpha blending, full-window viewport.
void setFixedGlState();

// Runs the game until Escape or the window closes; returns the process exit status.
int runGame(const GameOptions& options);
