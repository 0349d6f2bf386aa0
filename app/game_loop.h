#pragma once
// The whole run: start-up, the frame loop with its timing, reports and events, shut-down.

#include "app/game_options.h"

// Runs the game until Escape or the window closes; returns the process exit status.
int runGame(const GameOptions& options);
