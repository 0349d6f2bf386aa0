#pragma once
// HDR target, separable blur of the glowing part (twelve passes unless set otherwise), composite
// with exposure.

struct TechniqueParameters;
struct PixelRect;
struct BloomPass;

// Texels the blur can move glow: each pass per axis reaches the texel beyond its taps' spread (5 at
// the default 4.5), and one more for rounding.
int blurReach(const TechniqueParameters& parameters);

// Builds the composite program and writes its initial sampler units.
void createBloomProgram();
// Creates the HDR framebuffer (two RGB16F colour targets and depth) of world.bloomPass at the frame's size.
void createHdrFramebuffer();
// Builds the blur program (unless world.bloomPass has one) and the two ping-pong framebuffers.
void createBlurTargets();
// A second set of HDR and blur targets at the frame's size, drawn with the programs of model.
BloomPass createBloomTargetsLike(const BloomPass& model);
// Reallocates the HDR and blur targets at this size (the frame's, after the window changed it).
void resizeBloomTargets(int width, int height);
// Blurs the HDR target's glowing part the set number of times, alternating direction; unless
// reference frames are asked for, only where the self-lit objects' glow can reach. With no passes
// the composite adds the glow unblurred.
void blurBrightParts();
// Draws scene plus (when bloom is on) the blurred glow into the bound framebuffer, only within clip;
// unless reference frames are asked for, the glow is read only inside the area the blur covered.
void compositeBloom(PixelRect clip);
// Draws the full-screen quad, creating it on first use.
void renderQuad();
