#include "render/frame.h"

#include <GL/glew.h>

#include "game/world.h"
#include "render/bloom.h"
#include "render/pass_timer.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "view/camera.h"

namespace {
// The frame as the world's settings now ask for it, into the window within clip; the HDR and blur
// targets are drawn whole, so each picture is exactly what a full-window frame would show there.
void renderPicture(Renderer& renderer, PassTimer* timer, PixelRect clip) {
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
    // Lines go straight to the window: they, and the clear before them, stay inside the clip.
    if (wireframe) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
    }
    renderScene(renderer.scene, !wireframe && !world.referenceFrames, cubeChanged);
    glDisable(GL_SCISSOR_TEST);
    endPass(timer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (wireframe) return;
    // The composite ignores the blur while bloom is off; the literal path runs it anyway.
    if (world.settings.bloom || world.referenceFrames) {
        beginPass(timer, RenderPass::Blur);
        blurBrightParts();
        endPass(timer);
    }
    beginPass(timer, RenderPass::Composite);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    compositeBloom(clip);
    endPass(timer);
}

// Compare: the defaults' picture left of the line, the player's right of it, from the same world.
// Only the player's half is timed: the overlay's costs are those of the settings now chosen.
void renderComparison(Renderer& renderer, PassTimer* timer) {
    const int width = world.frameWidth, height = world.frameHeight;
    const int split = compareColumn(world.settings, width);
    const RenderSettings yours = world.settings;
    world.settings = defaultPicture(yours);
    reproject(*world.camera);
    renderPicture(renderer, nullptr, {0, 0, split, height});
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
