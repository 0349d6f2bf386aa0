#pragma once
// The sky: a cube around the viewer that turns with the camera but never moves.

#include <glm/glm.hpp>

struct Sky;

// Draws the cube with the given cube map, without writing depth; nothing until the sky is ready.
void drawSkybox(const Sky& sky, glm::mat4 view, glm::mat4 projection, unsigned cubeMap);
