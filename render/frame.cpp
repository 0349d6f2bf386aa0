#include "render/frame.h"

#include <GL/glew.h>

#include "game/world.h"
#include "render/bloom.h"
#include "render/pass_timer.h"
#include "render/pipeline_view.h"
#include "render/scene.h"
#include "render/shadow_map.h"

void renderFrame(Renderer& renderer, PassTimer* timer) {
    // New uniforms draw another picture than the one the HDR target holds.
    if (applySwitches(renderer.switches, world.settings)) renderer.scene.valid = false;
    beginPass(timer, RenderPass::Shadow);
    const bool cubeChanged = renderShadowPass(renderer.shadowMap);
    endPass(timer);
    beginPass(timer, RenderPass::Scene);
    const bool wireframe = world.settings.wireframe;
    glBindFramebuffer(GL_FRAMEBUFFER, wireframe ? 0 : renderer.hdrFramebuffer);
    glViewport(0, 0, world.frameWidth, world.frameHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    renderScene(renderer.scene, !wireframe && !world.referenceFrames, cubeChanged);
    endPass(timer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const PipelineView view = world.settings.pipelineView;
    if (!wireframe || view != PipelineView::Final) {
        // The composite ignores the blur while bloom is off; the literal path and its view run it anyway.
        if (!wireframe && (world.settings.bloom || world.referenceFrames || view == PipelineView::BlurredGlow)) {
            beginPass(timer, RenderPass::Blur);
            blurBrightParts();
            endPass(timer);
        }
        beginPass(timer, RenderPass::Composite);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        if (view == PipelineView::Final) compositeBloom(); else drawPipelineView(renderer.views, view);
        endPass(timer);
    }
    finishTimedFrame(timer);
}
