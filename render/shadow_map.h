#pragma once
// Omnidirectional shadows: distances from the point light in a depth cube map.

#include <glm/glm.hpp>

#include "render/shadow_cache.h"

struct Model;
struct Scene;
struct ShaderProgram;

// The shadow pass's cube, program and what it keeps between frames; the renderer owns one.
struct ShadowMap {
    unsigned cube = 0;                     // distances from the light, one face per axis
    unsigned framebuffer = 0;              // depth-only framebuffer with the cube map attached
    ShaderProgram* program = nullptr;      // draws the casters into all six faces at once
    ShadowCache cache;                     // what the pass keeps between frames
    unsigned version = 0;                  // counts the cube's changes
};

constexpr float shadowFarPlane = 1000.0f;
// Texels along each side of a cube face; the shader loader hands it to every shader as shadowCubeSize.
constexpr int shadowCubeSize = 1024;

// Creates the cube map (shadowCubeSize texels square per face), its framebuffer and the depth
// program; reports an incomplete framebuffer.
void createShadowMap(ShadowMap& shadowMap);
// Renders the scene's shadow casters into all six cube faces in one pass (as lines in wireframe),
// reusing what the cache kept; reference: redraw everything. Counts a change in version; false when
// the cube already held this frame's depths and nothing was drawn.
bool renderShadowPass(ShadowMap& shadowMap, const Scene& scene, bool wireframe, bool reference);
// Draws every mesh of the model with "model" = transform * modelMatrix.
void drawModelDepth(const Scene& scene, const Model& model, int modelLocation, glm::mat4 transform);
// Projection * view of cube face 0..5 as seen from the light.
void shadowTransforms(glm::vec3 lightPosition, glm::mat4 (&transforms)[6]);
