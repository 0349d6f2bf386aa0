#pragma once
// HDR target, twelve-pass separable blur of the glowing part, composite with exposure.

// Texels a blur can move glow: six passes per axis, each reaching 5 texels, and one for rounding.
constexpr int blurReach = 6 * 5 + 1;

// Builds the composite program and writes its initial sampler units.
void createBloomProgram();
// Creates the HDR framebuffer (two RGB16F colour targets and depth) at the frame's size; returns its name.
unsigned createHdrFramebuffer();
// Builds the blur program and the two ping-pong framebuffers.
void createBlurTargets();
// Reallocates the HDR and blur targets at this size (the frame's, after the window changed it).
void resizeBloomTargets(int width, int height);
// Blurs the HDR target's glowing part twelve times, alternating direction; unless reference frames
// are asked for, only where the self-lit objects' glow can reach.
void blurBrightParts();
// Draws scene plus (when bloom is on) the blurred glow into the bound framebuffer; unless reference
// frames are asked for, the glow is read only inside the area the blur covered.
void compositeBloom();
// Draws the full-screen quad, creating it on first use.
void renderQuad();
