#pragma once
// The GL state that the player's switches imply, applied in one place before the passes: key
// handlers only flip flags.

#include "game/world.h"

// What was last applied; the renderer keeps one.
struct AppliedSwitches {
    bool known = false;          // false until the first call: apply everything
    bool wireframe = false;
    bool transparency = false;
    bool textureLinear = true;   // the textures' filters: as loaded until F4 or F5 chose others
    int mipmapMode = 0;
    bool shadows = false;
    TechniqueParameters parameters;  // the ones the scene's programs hold
};

// Applies what changed since the last call: polygon mode and the window's sRGB encoding for
// wireframe, blending for transparency, every texture's filters (as loaded until F4 or F5 chose them), and the
// lit programs' shadow, emission and opacity uniforms.
void applySwitches(AppliedSwitches& applied, const RenderSettings& settings);
