#pragma once
// End-of-game tests and the restart.

struct SceneObject;

// True when the camera's eye touches a collidable object, but for the sphere orbiting the enemy an
// orbit view watches and an object the eye was put inside and has not left.
bool isGameOver();
// The eye was put inside this object on purpose: it does not end the game until the eye leaves it.
void putEyeInside(const SceneObject* object);
// Once a frame after the camera moved: forgets the object the eye was put inside once it has left it.
void noteWhereTheEyeIs();
// True when every enemy is at least 400 units from the craft.
bool hasEscaped();
enum class GameEnd { None, Crash, Escape };
// How this frame ends the game: a crash wins over an escape met in the same frame.
GameEnd gameEnd();
// Craft back to its start, enemies scattered anew.
void restartGame();
