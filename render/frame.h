#pragma once
// The passes of one frame around the scene: shadow pass and target before it, blur and
// composite after it, each timed when a timer is given.

struct PassTimer;

struct FrameTargets {
    unsigned shadowFramebuffer = 0;
    unsigned hdrFramebuffer = 0;
};

// Shadow pass; then the HDR target (the window while wireframe is on) bound, viewport set and
// cleared, ready for the scene or an end screen.
void beginFrame(const FrameTargets& targets, PassTimer* timer);
// Window framebuffer bound; unless wireframe is on, blur, clear and composite into it.
void endFrame(PassTimer* timer);
