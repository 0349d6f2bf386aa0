#include "render/frame.h"

#include <GL/glew.h>

#include "game/world.h"
#include "render/bloom.h"
#include "render/pass_timer.h"
#include "render/shadow_map.h"

void beginFrame(Renderer& renderer, PassTimer* timer) {
    applySwitches(renderer.switches, world.settings);
    beginPass(timer, RenderPass::Shadow);
    renderShadowPass(renderer.shadowMap);
    endPass(timer);
    beginPass(timer, RenderPass::Scene);
    if (!world.settings.wireframe) glBindFramebuffer(GL_FRAMEBUFFER, renderer.hdrFramebuffer);
    glViewport(0, 0, world.frameWidth, world.frameHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void endFrame(PassTimer* timer) {
    endPass(timer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!world.settings.wireframe) {
        // The composite ignores the blur while bloom is off; the literal path runs it anyway.
        if (world.settings.bloom || world.referenceFrames) {
            beginPass(timer, RenderPass::Blur);
            blurBrightParts();
            endPass(timer);
        }
        beginPass(timer, RenderPass::Composite);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        compositeBloom();
        endPass(timer);
    }
    finishTimedFrame(timer);
}
