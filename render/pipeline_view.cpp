#include "render/pipeline_view.h"

#include <GL/glew.h>

#include <algorithm>

#include "assets/shader_program.h"
#include "render/bloom.h"
#include "render/shadow_map.h"
#include "render/texture_units.h"

const char* pipelineViewName(PipelineView view) {
    static const char* const names[] = {"final picture", "scene before tone mapping", "glow", "blurred glow",
                                        "shadow cube faces"};
    return names[static_cast<int>(view)];
}

void createPipelineViews(PipelineViews& views) {
    views.colourProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag");
    views.cubeProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag",
                                          ShaderVariant{"#define SHADOW_CUBE"});
    GLuint id = views.colourProgram->programId;
    glUseProgram(id);
    glUniform1i(glGetUniformLocation(id, "image"), viewImageUnit);
    views.scaleLocation = glGetUniformLocation(id, "scale");
    id = views.cubeProgram->programId;
    glUseProgram(id);
    views.crossLocation = glGetUniformLocation(id, "crossArea");
    glUniform1i(glGetUniformLocation(id, "cube"), viewCubeUnit);
    glUniform1f(glGetUniformLocation(id, "stretch"), shadowFarPlane / shadowViewRange);
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
        glActiveTexture(GL_TEXTURE0 + viewCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
        glUseProgram(views.cubeProgram->programId);
        glUniform3f(views.crossLocation, static_cast<float>((world.frameWidth - 4 * cell) / 2),
                    static_cast<float>((world.frameHeight - 3 * cell) / 2), static_cast<float>(cell));
    } else {
        const BloomPass& bloom = world.bloomPass;
        glActiveTexture(GL_TEXTURE0 + viewImageUnit);
        glBindTexture(GL_TEXTURE_2D, view == PipelineView::SceneBeforeToneMap ? bloom.hdrColorBuffers[0]
                                     : view == PipelineView::Glow             ? bloom.hdrColorBuffers[1]
                                                                              : bloom.glowTexture);
        glUseProgram(views.colourProgram->programId);
        glUniform1f(views.scaleLocation,
                    view == PipelineView::SceneBeforeToneMap ? world.settings.parameters.exposure : 1.0f);
    }
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);  // later binds without choosing a unit must not land on ours
    renderQuad();
    if (wireframe) {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
        glEnable(GL_FRAMEBUFFER_SRGB);
    }
}
