#pragma once
// The pipeline views (V): the final picture, then each stage's output in the chain's order, then
// the shadow cube, drawn into the window instead of the final picture. The scene is the HDR target
// times the exposure, the glow and the blurred glow are shown as they are; each is clamped to 0..1
// and gamma-encoded for display, with no tone curve. The anti-aliasing edges show which pixels of
// the tone-mapped picture the smoothing would move (whether it is on or not). The shadow cube shows its six faces unfolded
// in a cross of square cells fitted into the window (middle row -X +Z +X -Z, +Y above and -Y below
// +Z, each face as GL stores it), the distance from the light as grey up to shadowViewRange (white
// where nothing was drawn), black outside the cross. In wireframe the scene bypasses the HDR
// target: the colour views show what the last filled frame left there, the cube view the current
// cube (whose casters are lines then too).

#include "render/bloom.h"

// Units from 0 to shadowViewRange of distance from the light span black to white.
constexpr float shadowViewRange = 400.0f;

// The view's name as V's console line ends it ("final picture", "glow", ...).
const char* pipelineViewName(PipelineView view);
// Builds the views' programs into programs.
void createPipelineViewPrograms(PostPrograms& programs);
// Draws the view (not Final) of the picture's targets, as the stages left them, into the bound
// framebuffer at the targets' size; the blurred glow is what the composite would add.
void drawPipelineView(const Picture& picture, PipelineView view);
