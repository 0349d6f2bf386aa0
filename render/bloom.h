#pragma once
// HDR target, twelve-pass separable blur of the glowing part, composite with exposure.

// Builds the composite program and writes its initial sampler units.
void createBloomProgram();
// Creates the HDR framebuffer (two RGB16F colour targets and depth); returns its name.
unsigned createHdrFramebuffer();
// Builds the blur program and the two ping-pong framebuffers.
void createBlurTargets();
// Blurs the HDR target's glowing part twelve times, alternating direction.
void blurBrightParts();
// Draws scene plus (when bloom is on) the blurred glow into the bound framebuffer.
void compositeBloom();
// Draws the full-screen quad, creating it on first use.
void renderQuad();
