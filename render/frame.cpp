#include "render/frame.h"

#include <GL/glew.h>

#include <utility>

#include "game/world.h"
#include "render/bloom.h"
#include "render/pass_timer.h"
#include "render/pipeline_view.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "view/camera.h"

namespace {
void scissorTo(PixelRect clip) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
}

// The frame as the world's settings now ask for it, into the window within clip; the HDR and blur
// targets are drawn whole, so each picture is exactly what a full-window frame would show there.
void renderPicture(Renderer& renderer, PassTimer* timer, PixelRect clip) {
    SceneRecord& scene = renderer.scene;
    if (world.frameWidth != world.bloomPass.width || world.frameHeight != world.bloomPass.height) {
        resizeBloomTargets(world.frameWidth, world.frameHeight);
        scene.valid = false;  // the reallocated target holds nothing yet
    }
    applySwitches(renderer.switches, world.settings);
    beginPass(timer, RenderPass::Shadow);
    if (renderShadowPass(renderer.shadowMap)) renderer.cubeVersion += 1;
    endPass(timer);
    beginPass(timer, RenderPass::Scene);
    const bool wireframe = world.settings.wireframe;
    glBindFramebuffer(GL_FRAMEBUFFER, wireframe ? 0 : world.bloomPass.hdrFramebuffer);
    glViewport(0, 0, world.frameWidth, world.frameHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // Lines go straight to the window: they, and the clear before them, stay inside the clip.
    if (wireframe) scissorTo(clip);
    renderScene(scene, !wireframe && !world.referenceFrames, renderer.cubeVersion);
    glDisable(GL_SCISSOR_TEST);
    endPass(timer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const PipelineView view = world.settings.pipelineView;
    if (wireframe && view == PipelineView::Final) return;
    // The composite ignores the blur while bloom is off; the literal path and its view run it anyway.
    if (!wireframe && (world.settings.bloom || world.referenceFrames || view == PipelineView::BlurredGlow)) {
        beginPass(timer, RenderPass::Blur);
        blurBrightParts();
        endPass(timer);
    }
    beginPass(timer, RenderPass::Composite);
    scissorTo(clip);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (view == PipelineView::Final) {
        compositeBloom(clip);
    } else {
        drawPipelineView(world.pipelineViews, view);
    }
    glDisable(GL_SCISSOR_TEST);
    endPass(timer);
}

// The compare view's left side takes the place of the frame's own targets, or gives it back.
void swapInDefaultsSide(Renderer& renderer) {
    std::swap(world.bloomPass, renderer.defaultsSide.bloom);
    std::swap(renderer.scene, renderer.defaultsSide.scene);
}

// Compare: the defaults' picture left of the line, the player's right of it, from the same world.
// Only the player's half is timed: the overlay's costs are those of the settings now chosen.
void renderComparison(Renderer& renderer, PassTimer* timer) {
    const int width = world.frameWidth, height = world.frameHeight;
    const int split = compareColumn(world.settings, width);
    const RenderSettings yours = world.settings;
    DefaultsSide& defaults = renderer.defaultsSide;
    if (defaults.bloom.hdrFramebuffer == 0) defaults.bloom = createBloomTargetsLike(world.bloomPass);
    swapInDefaultsSide(renderer);
    world.settings = defaultPicture(yours);
    reproject(*world.camera);
    renderPicture(renderer, nullptr, {0, 0, split, height});
    swapInDefaultsSide(renderer);
    world.settings = yours;
    reproject(*world.camera);
    renderPicture(renderer, timer, {split, 0, width, height});
}
}  // namespace

int compareColumn(const RenderSettings& settings, int width) {
    return static_cast<int>(settings.compareSplit * static_cast<float>(width) + 0.5f);
}

void renderFrame(Renderer& renderer, PassTimer* timer) {
    if (world.settings.compare) {
        renderComparison(renderer, timer);
    } else {
        renderPicture(renderer, timer, {0, 0, world.frameWidth, world.frameHeight});
    }
    finishTimedFrame(timer);
}
