#pragma once
// The lit and flat-textured programs and the uniforms they hold.

#include <glm/glm.hpp>

struct Light;
struct LitPrograms;
struct Material;
struct Model;
struct ShaderProgram;

// True when light and material give a full ambient term: the surface shines by itself and is the
// only kind that writes the glow output.
bool isSelfLit(const Light& light, const Material& material);
// Builds a SpecularShader program holding this light, material, opacity and eye position, and
// registers it in the next slot of programs.
ShaderProgram* createSpecularProgram(LitPrograms& programs, const Light& light, const Material& material, float alpha,
                                     glm::vec3 eye);
// Builds the FlatTexture program with this light and registers it.
ShaderProgram* createFlatProgram(LitPrograms& programs, const Light& light);
// Gives the model its program and looks up its six per-draw uniform locations.
void attachProgram(Model& model, ShaderProgram* program);
// Writes the eye position to "viewPosition" of every registered program.
void updateViewPositions(const LitPrograms& programs, glm::vec3 eyePosition);
