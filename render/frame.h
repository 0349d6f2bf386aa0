#pragma once
// A frame: the shadow pass and the scene, then the chain of stages after it (the blur, the
// composite), each timed when a timer is given. The renderer owns every target and program these
// passes draw with; the scene and the settings come from the caller and are only read.

#include "render/bloom.h"
#include "render/frustum_lines.h"
#include "render/shadow_map.h"
#include "render/switches.h"

struct PassTimer;

struct Renderer {
    ShadowMap shadowMap;        // the depth cube, its program and what it keeps between frames
    PostPrograms programs;      // the stages' and the pipeline views' programs
    PictureTargets picture;     // the targets of the picture the settings ask for
    PictureTargets defaults;    // the compare view's left side: made when compare is first on
    AppliedSwitches switches;   // what the textures and the lit programs hold now
    FrustumLines frustumLines;  // the culling view's lines
    bool referenceFrames = false;  // every pass redraws its whole target, reusing nothing
};

// Everything the passes draw with, the targets at this size (the window's framebuffer); the shadow
// map only where it is not made yet.
void createRenderer(Renderer& renderer, int width, int height);
// Frees the programs the renderer built.
void destroyRenderer(Renderer& renderer);
// One frame into the window: the shadow pass, the scene into the HDR target (the window while
// wireframe is on), then the stages, the last enabled one writing the window; or the pipeline view
// chosen instead of the final picture (also over wireframe). With compare on, all of that twice:
// the defaults left of the compare line into their own targets, the settings right of it. Returns
// what the settings' scene pass counted.
SceneCounts renderFrame(Renderer& renderer, const Scene& scene, const RenderSettings& settings, PassTimer* timer);
// The window column where the compare line lies: the pixels left of it show the defaults.
int compareColumn(const RenderSettings& settings, int width);
