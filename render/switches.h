#pragma once
// The GL state that the scene's settings imply: what the textures and the lit programs hold,
// written only when it changed, and the state the scene pass draws with.

#include "game/records.h"

struct Scene;

// What the textures and the lit programs hold; the renderer keeps one.
struct AppliedSwitches {
    bool known = false;          // false until the first call: apply everything
    bool textureLinear = true;   // the textures' filters: as loaded until F4 or F5 chose others
    int mipmapMode = 0;
    bool shadows = false;
    TechniqueParameters parameters;  // the ones the scene's programs hold
};

// Writes what changed since the last call: every texture's filters (as loaded until F4 or F5 chose
// them), and the lit programs' shadow, emission and opacity uniforms.
void applySwitches(AppliedSwitches& applied, const Scene& scene, const RenderSettings& settings);
// The state the scene pass draws with: polygons as lines in wireframe (straight to the window,
// which encodes their linear colour to sRGB meanwhile: it must be opened sRGB-capable), blending
// for transparency, the depth test.
void useSceneState(const RenderSettings& settings);
