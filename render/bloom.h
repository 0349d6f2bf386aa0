#pragma once
// HDR target, separable blur of the glowing part (twelve passes unless set otherwise), composite
// with exposure.

#include "game/records.h"
#include "render/scene.h"

// The HDR target and the blur targets of one picture; the compare view's left side has its own.
constexpr int maxBloomLevels = 8;

// The bloom chain's levels: level i (from 0) is the glow halved i + 1 times.
struct BloomChainTargets {
    unsigned textures[maxBloomLevels] = {};      // RGB16F, linear, clamped
    unsigned framebuffers[maxBloomLevels] = {};
    int widths[maxBloomLevels] = {};             // texels
    int heights[maxBloomLevels] = {};
    int madeForWidth = 0;                        // the picture size the levels were made for (0: none yet)
    int madeForHeight = 0;
    PixelRect areas[maxBloomLevels];             // where the last run wrote each level
    int levelsDrawn = 0;                         // levels the last run drew: 0 when nothing glowed
};

struct PictureTargets {
    int width = 0;                              // pixels of every target here
    int height = 0;
    unsigned hdrFramebuffer = 0;                // the scene pass draws here (wireframe: the window)
    unsigned hdrColorBuffers[2] = {0, 0};       // [0] lit scene, [1] its glowing part
    unsigned hdrDepthBuffer = 0;                // renderbuffer
    unsigned pingpongFramebuffers[2] = {0, 0};
    unsigned pingpongTextures[2] = {0, 0};
    unsigned glowTexture = 0;                   // what the composite adds: the last blur's, or the glow itself
    unsigned pictureFramebuffer = 0;            // the tone-mapped picture, where a stage after the composite reads it
    unsigned pictureTexture = 0;
    PixelRect blurWritten;                      // what the blurs since the targets' last clear may have left non-zero
    PixelRect blurredArea;                      // what the last blur covered: the composite adds glow only there
    SceneRecord scene;                          // what the HDR target holds from the last scene pass
    BloomChainTargets chain;                    // the downsampled chain's levels, made at its first run
};

// The programs of the stages after the scene and the quad they draw, shared by every picture.
struct PostPrograms {
    ShaderProgram* bloomProgram = nullptr;      // composite adding the blurred glow
    ShaderProgram* toneMapProgram = nullptr;    // the same without reading the glow: where it is zero
    ShaderProgram* blurProgram = nullptr;       // one-dimensional blur
    ShaderProgram* chainFirstProgram = nullptr; // the bloom chain's first halving, weighing brightness
    ShaderProgram* chainDownProgram = nullptr;  // its later halvings
    ShaderProgram* chainUpProgram = nullptr;    // and its adding back up
    int chainRadiusLocation = -1;               // the tent's radius
    ShaderProgram* fxaaProgram = nullptr;       // anti-aliasing of the tone-mapped picture
    ShaderProgram* fxaaEdgesProgram = nullptr;  // the same, showing which pixels it moves
    ShaderProgram* viewColourProgram = nullptr; // pipeline view of a 2D target, scaled, clamped
    ShaderProgram* viewCubeProgram = nullptr;   // pipeline view of the unfolded depth cube
    int viewScaleLocation = -1;                 // the colour view's scale
    int viewBandsLocation = -1;                 // its number of false-colour bands (0: none)
    int viewCrossLocation = -1;                 // the cube view's cross: lower left pixel, cell side
    unsigned quadVertexArray = 0;               // the full-screen triangle strip
    unsigned quadVertexBuffer = 0;
};

// One picture: the scene seen with one set of settings into one set of targets, shown in the
// window within clip.
struct Picture {
    const Scene& scene;
    const Camera& eye;               // the scene's camera with these settings' field of view
    const Camera& culler;            // the camera that culls: the eye, but in a view from outside
    const RenderSettings& settings;
    PictureTargets& targets;
    const PostPrograms& programs;
    unsigned shadowCube;             // the depth cube the scene was lit with
    bool reference;                  // every pass redraws its whole target, reusing nothing
    PixelRect clip;                  // the window pixels this picture may write
};

// Texels the blur can move glow: each pass per axis reaches the texel beyond its taps' spread (5 at
// the default 4.5), and one more for rounding.
int blurReach(const TechniqueParameters& parameters);

// Builds the composite, blur and view programs and the quad.
void createPostPrograms(PostPrograms& programs);
// Creates the HDR framebuffer (two RGB16F colour targets and depth) and the two blur targets at
// this size.
void createPictureTargets(PictureTargets& targets, int width, int height);
// Reallocates the targets at this size (the frame's, after the window changed it).
void resizePictureTargets(PictureTargets& targets, int width, int height);
// Blurs the HDR target's glowing part the set number of times, alternating direction; unless
// reference frames are asked for, only where the self-lit objects' glow can reach. With no passes
// the composite adds the glow unblurred.
void blurBrightParts(const Picture& picture);
// Draws scene plus (when bloom is on) the blurred glow into framebuffer: the window only within the
// picture's clip, the picture target whole; unless reference frames are asked for, the glow is read
// only inside the area the blur covered.
void compositeBloom(const Picture& picture, unsigned framebuffer);
// The state every full-screen stage draws with: filled polygons, no blending, no depth test, no
// sRGB encoding, the targets' viewport.
void useQuadState(int width, int height);
// Draws the full-screen quad.
void renderQuad(const PostPrograms& programs);
