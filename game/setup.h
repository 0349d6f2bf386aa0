#pragma once
// The initial world: camera, models, programs, 80 objects and the sky.

#include <glm/glm.hpp>

struct GLFWwindow;

// Where the player's craft starts every game.
constexpr glm::vec3 craftStartPosition(50.0f, -70.0f, -35.0f);

// Starts reading the world's model files in a child process, in the order setUpWorld loads them, so
// that the reading overlaps the window's start; setUpWorld reads them itself when this was not called.
void startReadingWorldModels();
// Builds the whole initial world once; the same layout on every start.
void setUpWorld(GLFWwindow* window);
// Random positions are drawn from a cube this many units across, centred on the origin.
constexpr float worldExtent = 400.0f;
// Candidates a placement draws at most; the last one stands when none was free. The game's own
// world, its set-up and a thousand restarts need at most 4 (measured), so its layout never depends on it.
constexpr int placementAttempts = 100;

// A random point (-200..199 on each axis) whose sphere of this margin touches no collidable object.
glm::vec3 randomPlacement(float margin);
// randomPlacement with the enemies' margin that also keeps 50 units clear of the craft's sphere,
// so that no game starts with an enemy on top of the player.
glm::vec3 randomEnemyPlacement();
