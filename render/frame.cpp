#include "render/frame.h"

#include <GL/glew.h>

#include <iterator>

#include "assets/shader_program.h"
#include "render/bloom_chain.h"
#include "render/fxaa.h"
#include "render/pass_timer.h"
#include "render/pipeline_view.h"

namespace {
void scissorTo(PixelRect clip) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
}

// The bloom method's blur runs for bloom; the literal path and the blurred glow's view run it
// anyway, and the levels' view runs the chain whatever the method.
bool glowBlurred(const Picture& picture) {
    const RenderSettings& settings = picture.settings;
    return settings.bloom || picture.reference || settings.pipelineView == PipelineView::BlurredGlow;
}
bool blurNeeded(const Picture& picture) { return picture.settings.parameters.bloomMethod == 0 && glowBlurred(picture); }
bool chainNeeded(const Picture& picture) {
    return (picture.settings.parameters.bloomMethod == 1 && glowBlurred(picture)) ||
           picture.settings.pipelineView == PipelineView::BloomLevels;
}
void blurStage(const Picture& picture, unsigned) { blurBrightParts(picture); }
bool compositeNeeded(const Picture& picture) {
    const PipelineView view = picture.settings.pipelineView;
    return view == PipelineView::Final || view == PipelineView::AntiAliasingEdges;
}
bool fxaaNeeded(const Picture& picture) {
    return picture.settings.fxaa && picture.settings.pipelineView == PipelineView::Final;
}

// A stage after the scene: its pass, whether this picture needs it and what it draws. Each sets the
// GL state it draws with. The last one the final picture needs writes the window (framebuffer 0);
// any other writes its own output, or the picture target for the stages after it.
struct Stage {
    RenderPass pass;
    bool readsHdr;  // reads the HDR target, which wireframe lines bypass
    bool (*needed)(const Picture& picture);
    void (*run)(const Picture& picture, unsigned framebuffer);
};
const Stage stages[] = {
    {RenderPass::Blur, true, blurNeeded, blurStage},
    {RenderPass::Chain, true, chainNeeded, bloomChainStage},
    {RenderPass::Composite, true, compositeNeeded, compositeBloom},
    {RenderPass::Fxaa, false, fxaaNeeded, smoothEdges},
};

bool stageRuns(const Stage& stage, const Picture& picture) {
    return !(stage.readsHdr && picture.settings.wireframe) && stage.needed(picture);
}

// Wireframe lines go to the window, unless a stage or the view reads them from the picture target.
unsigned wireframeTarget(const Picture& picture) {
    bool read = picture.settings.pipelineView == PipelineView::AntiAliasingEdges;
    for (const Stage& stage : stages) read |= !stage.readsHdr && stageRuns(stage, picture);
    return read ? picture.targets.pictureFramebuffer : 0;
}

// The scene's camera with the settings' field of view: the compare view's sides may differ.
Camera eyeFor(const Camera& camera, const RenderSettings& settings) {
    Camera eye = camera;
    if (eye.fieldOfView != settings.parameters.fieldOfView) {
        eye.fieldOfView = settings.parameters.fieldOfView;
        reproject(eye);
    }
    return eye;
}

// The shadow pass and the scene into the picture's HDR target (wireframe: into the window within
// clip); what the scene pass counted.
SceneCounts drawScene(Renderer& renderer, const Picture& picture, PassTimer* timer) {
    const RenderSettings& settings = picture.settings;
    PictureTargets& targets = picture.targets;
    applySwitches(renderer.switches, picture.scene, settings);
    beginPass(timer, RenderPass::Shadow);
    renderShadowPass(renderer.shadowMap, picture.scene, settings.wireframe, picture.reference);
    endPass(timer);
    beginPass(timer, RenderPass::Scene);
    useSceneState(settings);
    const unsigned lineTarget = settings.wireframe ? wireframeTarget(picture) : 0;
    glBindFramebuffer(GL_FRAMEBUFFER, settings.wireframe ? lineTarget : targets.hdrFramebuffer);
    glViewport(0, 0, targets.width, targets.height);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    // Lines straight to the window, and the clear before them, stay inside the clip.
    if (settings.wireframe && lineTarget == 0) scissorTo(picture.clip);
    const SceneCounts counts =
        renderScene(targets.scene, picture.scene, picture.eye, picture.culler, settings, renderer.shadowMap.cube,
                    renderer.shadowMap.version, !settings.wireframe && !picture.reference);
    // Over a kept target the same opaque lines again change nothing.
    if (picture.scene.outsideCamera) drawFrustumLines(renderer.frustumLines, picture.culler, picture.eye);
    glDisable(GL_SCISSOR_TEST);
    endPass(timer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return counts;
}

// The picture the settings ask for, seen from the scene's camera, into the window within clip.
// Its targets are drawn whole, so that it is exactly what a full-window frame would show there.
SceneCounts renderPicture(Renderer& renderer, const Scene& scene, const RenderSettings& settings,
                          PictureTargets& targets, PassTimer* timer, PixelRect clip) {
    if (scene.width != targets.width || scene.height != targets.height) {
        resizePictureTargets(targets, scene.width, scene.height);
    }
    const Camera player = eyeFor(*scene.camera, settings);
    const Camera& eye = scene.outsideCamera ? *scene.outsideCamera : player;
    const Picture picture{scene, eye, player, settings, targets, renderer.programs, renderer.shadowMap.cube,
                          renderer.referenceFrames, clip};
    const SceneCounts counts = drawScene(renderer, picture, timer);
    const PipelineView view = settings.pipelineView;
    int last = -1;
    for (int i = 0; i < static_cast<int>(std::size(stages)); ++i) {
        if (stageRuns(stages[i], picture)) last = i;
    }
    for (int i = 0; i <= last; ++i) {
        const Stage& stage = stages[i];
        if (!stageRuns(stage, picture)) continue;
        beginPass(timer, stage.pass);
        const bool toWindow = i == last && view == PipelineView::Final;
        if (toWindow) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            scissorTo(clip);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        }
        stage.run(picture, toWindow ? 0 : targets.pictureFramebuffer);
        glDisable(GL_SCISSOR_TEST);
        endPass(timer);
    }
    if (view == PipelineView::Final) return counts;
    beginPass(timer, RenderPass::Composite);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    scissorTo(clip);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawPipelineView(picture, view);
    glDisable(GL_SCISSOR_TEST);
    endPass(timer);
    return counts;
}
}  // namespace

void createRenderer(Renderer& renderer, int width, int height) {
    if (!renderer.shadowMap.program) createShadowMap(renderer.shadowMap);
    createPostPrograms(renderer.programs);
    createFrustumLines(renderer.frustumLines);
    createPictureTargets(renderer.picture, width, height);
}

void destroyRenderer(Renderer& renderer) {
    PostPrograms& programs = renderer.programs;
    for (ShaderProgram** program : {&renderer.shadowMap.program, &programs.bloomProgram, &programs.toneMapProgram,
                                    &programs.blurProgram, &programs.chainFirstProgram, &programs.chainDownProgram,
                                    &programs.chainUpProgram,
                                    &programs.viewColourProgram, &programs.viewCubeProgram,
                                    &programs.fxaaProgram, &programs.fxaaEdgesProgram}) {
        delete *program;
        *program = nullptr;
    }
    destroyFrustumLines(renderer.frustumLines);
}

int compareColumn(const RenderSettings& settings, int width) {
    return static_cast<int>(settings.compareSplit * static_cast<float>(width) + 0.5f);
}

SceneCounts renderFrame(Renderer& renderer, const Scene& scene, const RenderSettings& settings, PassTimer* timer) {
    const int width = scene.width, height = scene.height;
    SceneCounts counts;
    if (settings.compare) {
        // The defaults' picture left of the line, the player's right of it, from the same scene. Only
        // the player's half is timed: the overlay's costs are those of the settings now chosen.
        const int split = compareColumn(settings, width);
        if (renderer.defaults.hdrFramebuffer == 0) createPictureTargets(renderer.defaults, width, height);
        renderPicture(renderer, scene, defaultPicture(settings), renderer.defaults, nullptr, {0, 0, split, height});
        counts = renderPicture(renderer, scene, settings, renderer.picture, timer, {split, 0, width, height});
    } else {
        counts = renderPicture(renderer, scene, settings, renderer.picture, timer, {0, 0, width, height});
    }
    finishTimedFrame(timer);
    return counts;
}
