#pragma once
// End-of-game tests and the restart.

// True when the craft touches a collidable object: a sphere of the craft's size around the chase
// view's eye, in every camera mode (the free and orbit eyes never collide).
bool isGameOver();
// True when every enemy is at least 400 units from the craft.
bool hasEscaped();
enum class GameEnd { None, Crash, Escape };
// How this frame ends the game: a crash wins over an escape met in the same frame.
GameEnd gameEnd();
// Craft back to its start, enemies scattered anew.
void restartGame();
