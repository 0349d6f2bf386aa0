#pragma once
// The passes of one frame around the scene: shadow pass and target before it, blur and
// composite after it, each timed when a timer is given.

#include "render/scene.h"
#include "render/shadow_map.h"
#include "render/switches.h"

struct PassTimer;

// The compare view's left side keeps targets of its own, so that a still view reuses both scenes.
struct DefaultsSide {
    BloomPass bloom;                 // its HDR and blur targets; made when compare is first on
    SceneRecord scene;               // what its HDR target holds
};

// What the passes draw with besides the world; the game, the benchmark and the tests keep one.
struct Renderer {
    ShadowMap shadowMap;             // the depth cube's framebuffer and what it keeps between frames
    unsigned cubeVersion = 0;        // counts the shadow cube's changes
    AppliedSwitches switches;        // the GL state last applied for the player's switches
    SceneRecord scene;               // what the HDR target (world.bloomPass) holds from the last scene pass
    DefaultsSide defaultsSide;
};

// One frame's passes: the switches' GL state, the shadow pass, the scene into the HDR target (the
// window while wireframe is on), then blur and composite into the window, or the pipeline view
// chosen instead of the final picture (also over wireframe); timed when a timer is given. With
// compare on, all of that twice: the defaults left of the compare line, the settings right.
void renderFrame(Renderer& renderer, PassTimer* timer);
// The window column where the compare line lies: the pixels left of it show the defaults.
int compareColumn(const RenderSettings& settings, int width);
