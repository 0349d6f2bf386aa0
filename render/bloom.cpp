#include "render/bloom.h"

#include <GL/glew.h>

#include <algorithm>

#include "assets/shader_program.h"
#include "game/world.h"
#include "render/glow_area.h"
#include "view/camera.h"
#include "render/texture_units.h"

namespace {
// Allocates an RGB16F target of the targets' size with linear filtering and clamped edges.
void allocateHdrTexture(GLuint texture) {
    const BloomPass& bloom = world.bloomPass;
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB16F, bloom.width, bloom.height, 0, GL_RGB, GL_FLOAT, nullptr);
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
void restrictBlurTo(PixelRect area) {
    BloomPass& bloom = world.bloomPass;
    PixelRect& blurWritten = bloom.blurWritten;
    glEnable(GL_SCISSOR_TEST);
    if (!contains(area, blurWritten)) {
        const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glScissor(blurWritten.x0, blurWritten.y0, blurWritten.x1 - blurWritten.x0, blurWritten.y1 - blurWritten.y0);
        for (GLuint framebuffer : bloom.pingpongFramebuffers) {
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

void createBloomProgram() {
    BloomPass& bloom = world.bloomPass;
    bloom.bloomProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom.frag", ShaderVariant{"#define ADD_GLOW"});
    bloom.toneMapProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom.frag");
    for (const ShaderProgram* program : {bloom.bloomProgram, bloom.toneMapProgram}) {
        const GLuint id = program->programId;
        glUseProgram(id);
        glUniform1i(glGetUniformLocation(id, "scene"), compositeSceneUnit);
        glUniform1i(glGetUniformLocation(id, "bloomBlur"), compositeGlowUnit);
    }
}

void createHdrFramebuffer() {
    BloomPass& bloom = world.bloomPass;
    bloom.width = world.frameWidth;
    bloom.height = world.frameHeight;
    glGenFramebuffers(1, &bloom.hdrFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, bloom.hdrFramebuffer);
    glActiveTexture(GL_TEXTURE0 + compositeSceneUnit);
    glGenTextures(2, bloom.hdrColorBuffers);
    for (int i = 0; i < 2; ++i) {
        allocateHdrTexture(bloom.hdrColorBuffers[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D, bloom.hdrColorBuffers[i], 0);
    }
    glGenRenderbuffers(1, &bloom.hdrDepthBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, bloom.hdrDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, bloom.width, bloom.height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, bloom.hdrDepthBuffer);
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, attachments);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void createBlurTargets() {
    BloomPass& bloom = world.bloomPass;
    if (!bloom.blurProgram) {
        bloom.blurProgram = new ShaderProgram("Shader/bloom.vert", "Shader/blur.frag");
        glUseProgram(bloom.blurProgram->programId);
        glUniform1i(glGetUniformLocation(bloom.blurProgram->programId, "image"), blurSourceUnit);
    }
    glGenFramebuffers(2, bloom.pingpongFramebuffers);
    glGenTextures(2, bloom.pingpongTextures);
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, bloom.pingpongFramebuffers[i]);
        allocateHdrTexture(bloom.pingpongTextures[i]);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, bloom.pingpongTextures[i], 0);
    }
    bloom.blurWritten = {0, 0, bloom.width, bloom.height};  // allocated, not cleared
}

BloomPass createBloomTargetsLike(const BloomPass& model) {
    BloomPass made;
    made.bloomProgram = model.bloomProgram;
    made.toneMapProgram = model.toneMapProgram;
    made.blurProgram = model.blurProgram;
    const BloomPass own = world.bloomPass;
    world.bloomPass = made;
    createHdrFramebuffer();
    createBlurTargets();
    made = world.bloomPass;
    world.bloomPass = own;
    return made;
}

void resizeBloomTargets(int width, int height) {
    BloomPass& bloom = world.bloomPass;
    bloom.width = width;
    bloom.height = height;
    for (GLuint texture : bloom.hdrColorBuffers) allocateHdrTexture(texture);
    for (GLuint texture : bloom.pingpongTextures) allocateHdrTexture(texture);
    glBindRenderbuffer(GL_RENDERBUFFER, bloom.hdrDepthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    bloom.blurWritten = {0, 0, width, height};
}

void blurBrightParts() {
    BloomPass& bloom = world.bloomPass;
    const GLuint program = bloom.blurProgram->programId;
    glUseProgram(program);
    bloom.horizontal = true;
    bool firstPass = true;
    glActiveTexture(GL_TEXTURE0 + blurSourceUnit);
    const TechniqueParameters& parameters = world.settings.parameters;
    glUniform1f(glGetUniformLocation(program, "spread"), parameters.blurSpread);
    if (world.referenceFrames) {
        bloom.blurWritten = {0, 0, bloom.width, bloom.height};
        bloom.blurredArea = bloom.blurWritten;
    } else {
        const Camera& camera = *world.camera;
        bloom.blurredArea = glowArea(world.allObjects, camera.view, camera.projection, blurReach(parameters),
                                      bloom.width, bloom.height);
        restrictBlurTo(bloom.blurredArea);
    }
    // With nothing glowing in view the targets are zero now, as the passes would leave them.
    const int passes = bloom.blurredArea.empty() ? 0 : parameters.blurPasses;
    bloom.glowTexture = parameters.blurPasses > 0 ? bloom.pingpongTextures[0] : bloom.hdrColorBuffers[1];
    for (int pass = 0; pass < passes; ++pass) {
        glBindFramebuffer(GL_FRAMEBUFFER, bloom.pingpongFramebuffers[bloom.horizontal ? 1 : 0]);
        glUniform1i(glGetUniformLocation(program, "horizontal"), bloom.horizontal ? 1 : 0);
        glBindTexture(GL_TEXTURE_2D, firstPass ? bloom.hdrColorBuffers[1]
                                               : bloom.pingpongTextures[bloom.horizontal ? 0 : 1]);
        renderQuad();
        bloom.horizontal = !bloom.horizontal;
        firstPass = false;
    }
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

namespace {
// One full-screen composite with this program.
void composite(const ShaderProgram& shaderProgram) {
    const BloomPass& bloom = world.bloomPass;
    const GLuint program = shaderProgram.programId;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0 + compositeSceneUnit);
    glBindTexture(GL_TEXTURE_2D, bloom.hdrColorBuffers[0]);
    glActiveTexture(GL_TEXTURE0 + compositeGlowUnit);
    glBindTexture(GL_TEXTURE_2D, bloom.glowTexture);
    glUniform1i(glGetUniformLocation(program, "bloom"), world.settings.bloom ? 1 : 0);
    glUniform1f(glGetUniformLocation(program, "exposure"), world.settings.parameters.exposure);
    renderQuad();
}
}  // namespace

namespace {
PixelRect intersect(PixelRect a, PixelRect b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// The composite with this program, only inside both rectangles.
void compositeWithin(const ShaderProgram& program, PixelRect rect, PixelRect clip) {
    rect = intersect(rect, clip);
    if (rect.empty()) return;
    glScissor(rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0);
    composite(program);
}
}  // namespace

void compositeBloom(PixelRect clip) {
    const BloomPass& bloom = world.bloomPass;
    const PixelRect area = bloom.blurredArea;
    const int width = bloom.width, height = bloom.height;
    glEnable(GL_SCISSOR_TEST);
    if (world.referenceFrames || !world.settings.bloom || area.empty()) {
        compositeWithin(world.referenceFrames ? *bloom.bloomProgram : *bloom.toneMapProgram, {0, 0, width, height}, clip);
    } else {
        // The glow is zero outside the blurred area: only there is it read. Each pixel is drawn once
        // (blending a second draw over the first would round differently): the area with the glow,
        // the strips below, above, left and right of it without.
        compositeWithin(*bloom.bloomProgram, area, clip);
        compositeWithin(*bloom.toneMapProgram, {0, 0, width, area.y0}, clip);
        compositeWithin(*bloom.toneMapProgram, {0, area.y1, width, height}, clip);
        compositeWithin(*bloom.toneMapProgram, {0, area.y0, area.x0, area.y1}, clip);
        compositeWithin(*bloom.toneMapProgram, {area.x1, area.y0, width, area.y1}, clip);
    }
    glDisable(GL_SCISSOR_TEST);
}

void renderQuad() {
    BloomPass& bloom = world.bloomPass;
    if (bloom.quadVertexArray == 0) {
        glGenVertexArrays(1, &bloom.quadVertexArray);
        glGenBuffers(1, &bloom.quadVertexBuffer);
        glBindVertexArray(bloom.quadVertexArray);
        glBindBuffer(GL_ARRAY_BUFFER, bloom.quadVertexBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof(quadVertices), quadVertices, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                              reinterpret_cast<void*>(3 * sizeof(float)));
    }
    glBindVertexArray(bloom.quadVertexArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}
