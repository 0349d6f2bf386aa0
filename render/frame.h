#pragma once
// The passes of one frame around the scene: shadow pass and target before it, blur and
// composite after it, each timed when a timer is given.

#include "render/pipeline_view.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "render/switches.h"

struct PassTimer;

// What the passes draw with besides the world; the game, the benchmark and the tests keep one.
struct Renderer {
    ShadowMap shadowMap;             // the depth cube's framebuffer and what it keeps between frames
    unsigned hdrFramebuffer = 0;     // the scene's HDR target (the bloom pass holds its textures)
    AppliedSwitches switches;        // the GL state last applied for the player's switches
    SceneRecord scene;               // what the HDR target holds from the last scene pass
    PipelineViews views;             // what V shows instead of the final picture
};

// One frame's passes: the switches' GL state, the shadow pass, the scene into the HDR target (the
// window while wireframe is on), then blur and composite into the window, or the pipeline view
// chosen instead of the final picture (also over wireframe); timed when a timer is given.
void renderFrame(Renderer& renderer, PassTimer* timer);
