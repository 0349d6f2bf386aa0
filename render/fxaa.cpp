#include "render/fxaa.h"

#include <GL/glew.h>

#include "assets/shader_program.h"
#include "render/texture_units.h"

namespace {
// Binds the picture target as the program's source and writes the settings' two parameters. The
// window encodes what wireframe left linear, as it encodes lines drawn straight to it.
void useFxaaProgram(const Picture& picture, const ShaderProgram& program) {
    if (picture.settings.wireframe) glEnable(GL_FRAMEBUFFER_SRGB);
    const GLuint id = program.programId;
    glUseProgram(id);
    glActiveTexture(GL_TEXTURE0 + fxaaSourceUnit);
    glBindTexture(GL_TEXTURE_2D, picture.targets.pictureTexture);
    const TechniqueParameters& parameters = picture.settings.parameters;
    glUniform1f(glGetUniformLocation(id, "edgeThreshold"), parameters.fxaaEdgeThreshold);
    glUniform1f(glGetUniformLocation(id, "subpixel"), parameters.fxaaSubpixel);
}
}  // namespace

void createFxaaPrograms(PostPrograms& programs) {
    programs.fxaaProgram = new ShaderProgram("Shader/bloom.vert", "Shader/fxaa.frag");
    programs.fxaaEdgesProgram =
        new ShaderProgram("Shader/bloom.vert", "Shader/fxaa.frag", ShaderVariant{"#define SHOW_EDGES"});
    for (const ShaderProgram* program : {programs.fxaaProgram, programs.fxaaEdgesProgram}) {
        glUseProgram(program->programId);
        glUniform1i(glGetUniformLocation(program->programId, "picture"), fxaaSourceUnit);
    }
}

void allocatePictureTarget(PictureTargets& targets) {
    if (targets.pictureFramebuffer == 0) {
        glGenFramebuffers(1, &targets.pictureFramebuffer);
        glGenTextures(1, &targets.pictureTexture);
    }
    glActiveTexture(GL_TEXTURE0 + fxaaSourceUnit);
    glBindTexture(GL_TEXTURE_2D, targets.pictureTexture);
    // Plain bytes: the composite writes them gamma-encoded, so a pixel the smoothing keeps is the
    // same byte in the window; wireframe lines are stored linear, and encoded on their way out.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, targets.width, targets.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindFramebuffer(GL_FRAMEBUFFER, targets.pictureFramebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, targets.pictureTexture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, targets.hdrDepthBuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void smoothEdges(const Picture& picture, unsigned framebuffer) {
    useQuadState(picture.targets.width, picture.targets.height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const PixelRect clip = picture.clip;
    glEnable(GL_SCISSOR_TEST);
    glScissor(clip.x0, clip.y0, clip.x1 - clip.x0, clip.y1 - clip.y0);
    useFxaaProgram(picture, *picture.programs.fxaaProgram);
    renderQuad(picture.programs);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_FRAMEBUFFER_SRGB);
}

void drawAntiAliasingEdges(const Picture& picture) {
    useFxaaProgram(picture, *picture.programs.fxaaEdgesProgram);
    renderQuad(picture.programs);
    glDisable(GL_FRAMEBUFFER_SRGB);
}
