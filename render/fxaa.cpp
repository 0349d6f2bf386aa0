#include "render/fxaa.h"

#include <GL/glew.h>

#include "assets/shader_program.h"
#include "render/texture_units.h"

namespace {
// Binds the picture target as the program's source and writes the settings' two parameters.
void useFxaaProgram(const Picture& picture, const ShaderProgram& program) {
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
    // sRGB-encoded, like the window: wireframe lines are encoded as they are written, the composite
    // encodes its colour itself. Reads decode to linear colour, and the smoothing's writes encode
    // it again, so that a pixel it keeps is the same byte.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_SRGB8_ALPHA8, targets.width, targets.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
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
    glEnable(GL_FRAMEBUFFER_SRGB);
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
    glEnable(GL_FRAMEBUFFER_SRGB);
    useFxaaProgram(picture, *picture.programs.fxaaEdgesProgram);
    renderQuad(picture.programs);
    glDisable(GL_FRAMEBUFFER_SRGB);
}
