#pragma once
// The red and green screens that end a game, and their wait for R, Escape or the close button.

struct GLFWwindow;
struct Overlay;
enum class GameEnd;

// Shows the end screen (its colour over the window, what happened and the keys in the middle),
// writes its console line and waits; the screen is drawn again after every event (a resize, say).
// Returns true when R started a new game, false when Escape or closing the window ended the wait.
bool showEndScreen(GLFWwindow* window, Overlay& overlay, GameEnd end);
