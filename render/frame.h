#pragma once
// The passes of one frame around the scene: shadow pass and target before it, blur and
// composite after it, each timed when a timer is given.

#include "render/shadow_map.h"
#include "render/switches.h"

struct PassTimer;

// What the passes draw with besides the world; the game, the benchmark and the tests keep one.
struct Renderer {
    ShadowMap shadowMap;             // the depth cube's framebuffer and what it keeps between frames
    unsigned hdrFramebuffer = 0;     // the scene's HDR target (the bloom pass holds its textures)
    AppliedSwitches switches;        // the GL state last applied for the player's switches
};

// The switches' GL state, the shadow pass; then the HDR target (the window while wireframe is on)
// bound, viewport set and cleared to black, ready for the scene.
void beginFrame(Renderer& renderer, PassTimer* timer);
// Window framebuffer bound; unless wireframe is on, blur, clear and composite into it.
void endFrame(PassTimer* timer);
