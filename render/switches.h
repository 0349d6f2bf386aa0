#pragma once
// The GL state that the player's switches imply, applied in one place before the passes: key
// handlers only flip flags.

struct RenderSettings;

// What was last applied; the renderer keeps one.
struct AppliedSwitches {
    bool known = false;          // false until the first call: apply everything
    bool wireframe = false;
    bool transparency = false;
    bool filtersChosen = false;
    bool textureLinear = false;
    int mipmapMode = 0;
};

// Applies what changed since the last call: polygon mode and the window's sRGB encoding for
// wireframe, blending for transparency, and, once F4 or F5 chose them, every texture's filters.
void applySwitches(AppliedSwitches& applied, const RenderSettings& settings);
