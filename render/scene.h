#pragma once
// The scene pass: sky box, then every object, culled, with level of detail.

#include <cstddef>

#include <glm/glm.hpp>

struct Model;
struct SceneObject;

// At or beyond this distance from the eye, an object with a low-detail model draws that model.
constexpr float lodDistance = 75.0f;

// Draws the sky box and the draw list into the bound framebuffer; updates culledCount and
// lowDetailCount.
void renderScene();
// Picks the model by level of detail and draws it.
void drawObject(SceneObject& object, glm::mat4 viewProjection);
// Binds mesh i's texture and sampler on unit 0; where the index names no texture, the 1 x 1 white
// texture with sampler 0, so that the mesh shows its lit material colours alone.
void bindMeshTexture(const Model& model, size_t mesh);
// Draws every mesh of the model with its program, textures and the shadow cube map.
void drawModel(const Model& model, unsigned depthCubeMap, glm::mat4 viewProjection, glm::mat4 transform);
