#pragma once
// Omnidirectional shadows: distances from the point light in a depth cube map.

#include <glm/glm.hpp>

#include "render/shadow_cache.h"

struct Model;
struct ShaderProgram;

struct ShadowMap {
    unsigned framebuffer = 0;  // depth-only framebuffer with the cube map attached
    ShadowCache cache;         // what the pass keeps between frames
};

constexpr float shadowFarPlane = 1000.0f;
// Texels along each side of a cube face; the shader loader hands it to every shader as shadowCubeSize.
constexpr int shadowCubeSize = 1024;

// Creates the cube map (shadowCubeSize texels square per face) and its framebuffer; reports an incomplete one.
void createShadowMap(ShadowMap& shadowMap);
// Builds the depth program (vertex, geometry, fragment).
ShaderProgram* createDepthProgram();
// Renders the shadow casters into all six cube faces in one pass, reusing what the cache kept;
// false when the cube already held this frame's depths and nothing was drawn.
bool renderShadowPass(ShadowMap& shadowMap);
// Draws every mesh of the model with "model" = transform * modelMatrix.
void drawModelDepth(const Model& model, int modelLocation, glm::mat4 transform);
// Projection * view of cube face 0..5 as seen from the light.
void shadowTransforms(glm::vec3 lightPosition, glm::mat4 (&transforms)[6]);
