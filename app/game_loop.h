#pragma once
// The whole run: window and context, start-up, the frame loop, end screens, shut-down.

// Runs the game until Escape or the window closes; returns the process exit status.
int runGame();
