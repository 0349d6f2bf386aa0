#include "render/pipeline_view.h"

#include <GL/glew.h>

#include <algorithm>

#include "assets/shader_program.h"
#include "render/bloom.h"
#include "render/shadow_map.h"

namespace {
// The targets stay bound here from start-up: resizing reallocates them under the same names.
constexpr int sceneUnit = 6, glowUnit = 7, blurredGlowUnit = 8, cubeUnit = 9;
}  // namespace

void createPipelineViews(PipelineViews& views) {
    views.colourProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag");
    views.cubeProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag",
                                          ShaderVariant{"#define SHADOW_CUBE"});
    GLuint id = views.colourProgram->programId;
    views.imageLocation = glGetUniformLocation(id, "image");
    views.scaleLocation = glGetUniformLocation(id, "scale");
    id = views.cubeProgram->programId;
    glUseProgram(id);
    views.crossLocation = glGetUniformLocation(id, "crossArea");
    glUniform1i(glGetUniformLocation(id, "cube"), cubeUnit);
    glUniform1f(glGetUniformLocation(id, "stretch"), shadowFarPlane / shadowViewRange);
    const BloomPass& bloom = world.bloomPass;
    glActiveTexture(GL_TEXTURE0 + sceneUnit);
    glBindTexture(GL_TEXTURE_2D, bloom.hdrColorBuffers[0]);
    glActiveTexture(GL_TEXTURE0 + glowUnit);
    glBindTexture(GL_TEXTURE_2D, bloom.hdrColorBuffers[1]);
    glActiveTexture(GL_TEXTURE0 + blurredGlowUnit);
    glBindTexture(GL_TEXTURE_2D, bloom.pingpongTextures[0]);
    glActiveTexture(GL_TEXTURE0 + cubeUnit);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    glActiveTexture(GL_TEXTURE0);  // later binds without choosing a unit must not land on ours
}

void drawPipelineView(const PipelineViews& views, PipelineView view) {
    // Wireframe lines leave polygons as lines and the window encoding to sRGB: the quad needs neither.
    const bool wireframe = world.settings.wireframe;
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        glDisable(GL_FRAMEBUFFER_SRGB);
    }
    if (view == PipelineView::ShadowCube) {
        const int cell = std::min(world.frameWidth / 4, world.frameHeight / 3);
        glUseProgram(views.cubeProgram->programId);
        glUniform3f(views.crossLocation, static_cast<float>((world.frameWidth - 4 * cell) / 2),
                    static_cast<float>((world.frameHeight - 3 * cell) / 2), static_cast<float>(cell));
    } else {
        // With no blur passes the glow goes unblurred, as the composite adds it.
        const bool blurred = view == PipelineView::BlurredGlow && world.settings.parameters.blurPasses > 0;
        const int unit = view == PipelineView::SceneBeforeToneMap ? sceneUnit : blurred ? blurredGlowUnit : glowUnit;
        glUseProgram(views.colourProgram->programId);
        glUniform1i(views.imageLocation, unit);
        glUniform1f(views.scaleLocation,
                    view == PipelineView::SceneBeforeToneMap ? world.settings.parameters.exposure : 1.0f);
    }
    renderQuad();
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glEnable(GL_FRAMEBUFFER_SRGB);
    }
}
