#include "render/bloom.h"

#include <GL/glew.h>

#include <algorithm>

#include "assets/shader_program.h"
#include "render/bloom_chain.h"
#include "render/fxaa.h"
#include "render/glow_area.h"
#include "render/pipeline_view.h"
#include "render/texture_units.h"

namespace {
// Allocates an RGB16F target of this size with linear filtering and clamped edges.
void allocateHdrTexture(GLuint texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB16F, width, height, 0, GL_RGB, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Position (x, y, z) and texture coordinate (u, v) of the full-screen triangle strip.
const float quadVertices[20] = {
    -1.0f, 1.0f, 0.0f, 0.0f, 1.0f,
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,
    1.0f, 1.0f, 0.0f, 1.0f, 1.0f,
    1.0f, -1.0f, 0.0f, 1.0f, 0.0f,
};

bool contains(PixelRect outer, PixelRect inner) {
    return inner.empty() || (outer.x0 <= inner.x0 && outer.y0 <= inner.y0 && outer.x1 >= inner.x1 && outer.y1 >= inner.y1);
}

// Scissors the coming passes to area and zeroes what earlier blurs left outside it, so the
// ping-pong targets hold exactly what full-size passes would: nothing away from the glow.
void restrictBlurTo(PictureTargets& targets, PixelRect area) {
    PixelRect& blurWritten = targets.blurWritten;
    glEnable(GL_SCISSOR_TEST);
    if (!contains(area, blurWritten)) {
        const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glScissor(blurWritten.x0, blurWritten.y0, blurWritten.x1 - blurWritten.x0, blurWritten.y1 - blurWritten.y0);
        for (GLuint framebuffer : targets.pingpongFramebuffers) {
            glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
            glClearBufferfv(GL_COLOR, 0, zero);
        }
        blurWritten = PixelRect{};
    }
    glScissor(area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
    blurWritten = unite(blurWritten, area);
}
}  // namespace

int blurReach(const TechniqueParameters& parameters) {
    return parameters.blurPasses / 2 * (static_cast<int>(parameters.blurSpread) + 1) + 1;
}

void createPostPrograms(PostPrograms& programs) {
    programs.bloomProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom.frag", ShaderVariant{"#define ADD_GLOW"});
    programs.toneMapProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom.frag");
    for (const ShaderProgram* program : {programs.bloomProgram, programs.toneMapProgram}) {
        const GLuint id = program->programId;
        glUseProgram(id);
        glUniform1i(glGetUniformLocation(id, "scene"), compositeSceneUnit);
        glUniform1i(glGetUniformLocation(id, "bloomBlur"), compositeGlowUnit);
    }
    programs.blurProgram = new ShaderProgram("Shader/bloom.vert", "Shader/blur.frag");
    glUseProgram(programs.blurProgram->programId);
    glUniform1i(glGetUniformLocation(programs.blurProgram->programId, "image"), blurSourceUnit);
    createBloomChainPrograms(programs);
    createPipelineViewPrograms(programs);
    createFxaaPrograms(programs);
    glGenVertexArrays(1, &programs.quadVertexArray);
    glGenBuffers(1, &programs.quadVertexBuffer);
    glBindVertexArray(programs.quadVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, programs.quadVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadVertices), quadVertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float), reinterpret_cast<void*>(3 * sizeof(float)));
    glBindVertexArray(0);
}

void createPictureTargets(PictureTargets& targets, int width, int height) {
    targets.width = width;
    targets.height = height;
    glGenFramebuffers(1, &targets.hdrFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, targets.hdrFramebuffer);
    glActiveTexture(GL_TEXTURE0 + compositeSceneUnit);
    glGenTextures(2, targets.hdrColorBuffers);
    for (int i = 0; i < 2; ++i) {
        allocateHdrTexture(targets.hdrColorBuffers[i], width, height);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D, targets.hdrColorBuffers[i], 0);
    }
    glGenRenderbuffers(1, &targets.hdrDepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, targets.hdrDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, targets.hdrDepthBuffer);
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, attachments);
    glGenFramebuffers(2, targets.pingpongFramebuffers);
    glGenTextures(2, targets.pingpongTextures);
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets.pingpongFramebuffers[i]);
        allocateHdrTexture(targets.pingpongTextures[i], width, height);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, targets.pingpongTextures[i], 0);
    }
    allocatePictureTarget(targets);
    targets.blurWritten = {0, 0, width, height};  // allocated, not cleared
}

void resizePictureTargets(PictureTargets& targets, int width, int height) {
    targets.width = width;
    targets.height = height;
    for (GLuint texture : targets.hdrColorBuffers) allocateHdrTexture(texture, width, height);
    for (GLuint texture : targets.pingpongTextures) allocateHdrTexture(texture, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, targets.hdrDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    allocatePictureTarget(targets);
    targets.blurWritten = {0, 0, width, height};
    targets.scene.valid = false;  // the reallocated target holds nothing yet
}

void useQuadState(int width, int height) {
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glDisable(GL_FRAMEBUFFER_SRGB);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glViewport(0, 0, width, height);
}

void blurBrightParts(const Picture& picture) {
    PictureTargets& targets = picture.targets;
    useQuadState(targets.width, targets.height);
    const GLuint program = picture.programs.blurProgram->programId;
    glUseProgram(program);
    bool horizontal = true;
    bool firstPass = true;
    glActiveTexture(GL_TEXTURE0 + blurSourceUnit);
    const TechniqueParameters& parameters = picture.settings.parameters;
    glUniform1f(glGetUniformLocation(program, "spread"), parameters.blurSpread);
    if (picture.reference) {
        targets.blurWritten = {0, 0, targets.width, targets.height};
        targets.blurredArea = targets.blurWritten;
    } else {
        targets.blurredArea = glowArea(*picture.scene.objects, *picture.scene.vertexPositions, picture.eye.view,
                                       picture.eye.projection, blurReach(parameters), targets.width, targets.height);
        restrictBlurTo(targets, targets.blurredArea);
    }
    // With nothing glowing in view the targets are zero now, as the passes would leave them.
    const int passes = targets.blurredArea.empty() ? 0 : parameters.blurPasses;
    targets.glowTexture = parameters.blurPasses > 0 ? targets.pingpongTextures[0] : targets.hdrColorBuffers[1];
    for (int pass = 0; pass < passes; ++pass) {
        glBindFramebuffer(GL_FRAMEBUFFER, targets.pingpongFramebuffers[horizontal ? 1 : 0]);
        glUniform1i(glGetUniformLocation(program, "horizontal"), horizontal ? 1 : 0);
        glBindTexture(GL_TEXTURE_2D, firstPass ? targets.hdrColorBuffers[1] : targets.pingpongTextures[horizontal ? 0 : 1]);
        renderQuad(picture.programs);
        horizontal = !horizontal;
        firstPass = false;
    }
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

namespace {
// One full-screen composite with this program.
void composite(const Picture& picture, const ShaderProgram& shaderProgram) {
    const PictureTargets& targets = picture.targets;
    const GLuint program = shaderProgram.programId;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0 + compositeSceneUnit);
    glBindTexture(GL_TEXTURE_2D, targets.hdrColorBuffers[0]);
    glActiveTexture(GL_TEXTURE0 + compositeGlowUnit);
    glBindTexture(GL_TEXTURE_2D, targets.glowTexture);
    glUniform1i(glGetUniformLocation(program, "bloom"), picture.settings.bloom ? 1 : 0);
    const TechniqueParameters& parameters = picture.settings.parameters;
    glUniform1f(glGetUniformLocation(program, "exposure"), parameters.exposure);
    glUniform1f(glGetUniformLocation(program, "glowStrength"), parameters.bloomMethod == 1 ? parameters.bloomStrength : 1.0f);
    renderQuad(picture.programs);
}
}  // namespace

namespace {
PixelRect intersect(PixelRect a, PixelRect b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The composite with this program, only inside both rectangles.
void compositeWithin(const Picture& picture, const ShaderProgram& program, PixelRect rect, PixelRect clip) {
    rect = intersect(rect, clip);
    if (rect.empty()) return;
    glScissor(rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0);
    composite(picture, program);
}
}  // namespace

void compositeBloom(const Picture& picture, unsigned framebuffer) {
    const PictureTargets& targets = picture.targets;
    const PostPrograms& programs = picture.programs;
    const PixelRect area = targets.blurredArea;
    const int width = targets.width, height = targets.height;
    const PixelRect clip = framebuffer == 0 ? picture.clip : PixelRect{0, 0, width, height};
    useQuadState(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glEnable(GL_SCISSOR_TEST);
    if (picture.reference || !picture.settings.bloom || area.empty()) {
        compositeWithin(picture, picture.reference ? *programs.bloomProgram : *programs.toneMapProgram,
                        {0, 0, width, height}, clip);
    } else {
        // The glow is zero outside the blurred area: only there is it read. Each pixel is drawn once
        // (blending a second draw over the first would round differently): the area with the glow,
        // the strips below, above, left and right of it without.
        compositeWithin(picture, *programs.bloomProgram, area, clip);
        compositeWithin(picture, *programs.toneMapProgram, {0, 0, width, area.y0}, clip);
        compositeWithin(picture, *programs.toneMapProgram, {0, area.y1, width, height}, clip);
        compositeWithin(picture, *programs.toneMapProgram, {0, area.y0, area.x0, area.y1}, clip);
        compositeWithin(picture, *programs.toneMapProgram, {area.x1, area.y0, width, area.y1}, clip);
    }
    glDisable(GL_SCISSOR_TEST);
}

void renderQuad(const PostPrograms& programs) {
    glBindVertexArray(programs.quadVertexArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}
