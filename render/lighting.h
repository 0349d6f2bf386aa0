#pragma once
// The lit and flat-textured programs and the uniforms they hold.

#include <glm/glm.hpp>

struct Light;
struct Material;
struct Model;
struct ShaderProgram;

// True when light and material give a full ambient term: the surface shines by itself and is the
// only kind that writes the glow output.
bool isSelfLit(const Light& light, const Material& material);
// Builds a SpecularShader program holding this light, material and opacity, and registers it.
// The caller stores it in the next slot of world.specularPrograms.
ShaderProgram* createSpecularProgram(const Light& light, const Material& material, float alpha);
// Builds the FlatTexture program with the world's light and registers it.
// The caller appends it to world.flatPrograms.
ShaderProgram* createFlatProgram();
// Gives the model its program and looks up its six per-draw uniform locations.
void attachProgram(Model& model, ShaderProgram* program);
// Writes the eye position to "viewPosition" of every registered program.
void updateViewPositions(glm::vec3 eyePosition);
