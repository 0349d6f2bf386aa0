#pragma once
// The lit and flat-textured programs and the uniforms they hold.

#include <glm/glm.hpp>

struct Light;
struct Material;
struct Model;
struct ShaderProgram;

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
