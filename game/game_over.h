#pragma once
// End-of-game tests and the restart.

// True when the craft touches a collidable object: a sphere of the craft's size around the chase
// view's eye, in every camera mode (the free and orbit eyes never collide).
bool isGameOver();
#include <cstddef>

// How far the craft must get from every enemy to escape, in world units.
constexpr float escapeDistance = 400.0f;

// True when every enemy is at least escapeDistance from the craft.
bool hasEscaped();
// The distance from the craft to the nearest enemy; infinity without enemies.
float nearestEnemyDistance();
// What the game asks of the player now, in one or two lines: the throttle (speed, -7 to 20) and,
// while the enemies follow, the nearest one's distance against the distance that escapes them.
void describeGoal(float speed, float nearestEnemy, bool enemiesFollow, char* text, size_t size);
enum class GameEnd { None, Crash, Escape };
// How this frame ends the game: a crash wins over an escape met in the same frame.
GameEnd gameEnd();
// Craft back to its start, enemies scattered anew.
void restartGame();
