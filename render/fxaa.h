#pragma once
// Anti-aliasing: FXAA, the last stage of the chain while it is on, smoothing the tone-mapped
// picture (or the wireframe lines) that the stages before it leave in the picture target.

#include "render/bloom.h"

// Builds the smoothing program and the one that shows its edges.
void createFxaaPrograms(PostPrograms& programs);
// Creates, or reallocates at the targets' size, the picture target: 8-bit colour, with the HDR
// target's depth for wireframe lines.
void allocatePictureTarget(PictureTargets& targets);
// Smooths the picture target's edges into framebuffer, within the picture's clip.
void smoothEdges(const Picture& picture, unsigned framebuffer);
// Draws the pixels the smoothing moves (red to yellow with the shift), the rest dimmed grey, into
// the bound framebuffer.
void drawAntiAliasingEdges(const Picture& picture);
