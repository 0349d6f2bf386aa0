#include "render/bloom_chain.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "assets/shader_program.h"
#include "render/glow_area.h"
#include "render/texture_units.h"

namespace {
void allocateLevel(BloomChainTargets& chain, int level, int width, int height) {
    chain.widths[level] = width;
    chain.heights[level] = height;
    glBindTexture(GL_TEXTURE_2D, chain.textures[level]);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB16F, width, height, 0, GL_RGB, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindFramebuffer(GL_FRAMEBUFFER, chain.framebuffers[level]);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, chain.textures[level], 0);
    const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearBufferfv(GL_COLOR, 0, zero);
}

// The levels for a picture of this size, made (or remade) only when they are not.
void makeLevels(BloomChainTargets& chain, int width, int height) {
    if (chain.madeForWidth == width && chain.madeForHeight == height) return;
    if (chain.madeForWidth == 0) {
        glGenTextures(maxBloomLevels, chain.textures);
        glGenFramebuffers(maxBloomLevels, chain.framebuffers);
    }
    for (int level = 0; level < maxBloomLevels; ++level) {
        allocateLevel(chain, level, std::max(1, width >> (level + 1)), std::max(1, height >> (level + 1)));
        chain.areas[level] = PixelRect{};
    }
    chain.madeForWidth = width;
    chain.madeForHeight = height;
}

PixelRect clampTo(PixelRect rect, int width, int height) {
    return {std::max(rect.x0, 0), std::max(rect.y0, 0), std::min(rect.x1, width), std::min(rect.y1, height)};
}
// The texels of the half-size level that cover rect, and a texel more on each side.
PixelRect halved(PixelRect rect, int width, int height) {
    return clampTo({rect.x0 / 2 - 1, rect.y0 / 2 - 1, (rect.x1 + 1) / 2 + 1, (rect.y1 + 1) / 2 + 1}, width, height);
}
void scissor(PixelRect rect) { glScissor(rect.x0, rect.y0, rect.x1 - rect.x0, rect.y1 - rect.y0); }

// Zeroes what the last run wrote on this level, unless it wrote the same area, then halves source
// into the area. Outside it the level stays zero, as the taps of the next halving and of the
// steps up expect.
void halve(BloomChainTargets& chain, const PostPrograms& programs, int level, unsigned source, PixelRect area) {
    glBindFramebuffer(GL_FRAMEBUFFER, chain.framebuffers[level]);
    glViewport(0, 0, chain.widths[level], chain.heights[level]);
    PixelRect& written = chain.areas[level];
    if (!written.empty() && !(written.x0 == area.x0 && written.y0 == area.y0 && written.x1 == area.x1 &&
                              written.y1 == area.y1)) {
        const GLfloat zero[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        scissor(written);
        glClearBufferfv(GL_COLOR, 0, zero);
    }
    scissor(area);
    glUseProgram((level == 0 ? programs.chainFirstProgram : programs.chainDownProgram)->programId);
    glBindTexture(GL_TEXTURE_2D, source);
    renderQuad(programs);
    written = area;
}
}  // namespace

int chainReach(const TechniqueParameters& parameters) {
    // Halving n reaches 2^n pixels; the step up from level n, radius + 1 of its 2^n-pixel texels.
    const int levels = std::clamp(parameters.bloomLevels, 1, maxBloomLevels);
    return static_cast<int>(std::ceil(static_cast<float>(2 << levels) * (parameters.bloomRadius + 2.0f)));
}

void createBloomChainPrograms(PostPrograms& programs) {
    programs.chainFirstProgram =
        new ShaderProgram("Shader/bloom.vert", "Shader/bloom_down.frag", ShaderVariant{"#define KARIS"});
    programs.chainDownProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom_down.frag");
    programs.chainUpProgram = new ShaderProgram("Shader/bloom.vert", "Shader/bloom_up.frag");
    for (const ShaderProgram* program : {programs.chainFirstProgram, programs.chainDownProgram, programs.chainUpProgram}) {
        glUseProgram(program->programId);
        glUniform1i(glGetUniformLocation(program->programId, "image"), blurSourceUnit);
    }
    programs.chainRadiusLocation = glGetUniformLocation(programs.chainUpProgram->programId, "radius");
}

void runBloomChain(PictureTargets& targets, const PostPrograms& programs, const TechniqueParameters& parameters,
                   PixelRect area) {
    BloomChainTargets& chain = targets.chain;
    makeLevels(chain, targets.width, targets.height);
    chain.levelsDrawn = 0;
    if (area.empty()) return;
    const int levels = std::clamp(parameters.bloomLevels, 1, maxBloomLevels);
    useQuadState(targets.width, targets.height);
    glEnable(GL_SCISSOR_TEST);
    glActiveTexture(GL_TEXTURE0 + blurSourceUnit);
    unsigned source = targets.hdrColorBuffers[1];
    for (int level = 0; level < levels; ++level) {
        area = halved(area, chain.widths[level], chain.heights[level]);
        halve(chain, programs, level, source, area);
        source = chain.textures[level];
    }
    glUseProgram(programs.chainUpProgram->programId);
    glUniform1f(programs.chainRadiusLocation, parameters.bloomRadius);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    for (int level = levels - 2; level >= 0; --level) {
        glBindFramebuffer(GL_FRAMEBUFFER, chain.framebuffers[level]);
        glViewport(0, 0, chain.widths[level], chain.heights[level]);
        scissor(chain.areas[level]);
        glBindTexture(GL_TEXTURE_2D, chain.textures[level + 1]);
        renderQuad(programs);
    }
    glDisable(GL_BLEND);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    chain.levelsDrawn = levels;
}

void bloomChainStage(const Picture& picture, unsigned) {
    PictureTargets& targets = picture.targets;
    const TechniqueParameters& parameters = picture.settings.parameters;
    targets.blurredArea = picture.reference
                              ? PixelRect{0, 0, targets.width, targets.height}
                              : glowArea(*picture.scene.objects, *picture.scene.vertexPositions, picture.eye.view,
                                         picture.eye.projection, chainReach(parameters), targets.width, targets.height);
    runBloomChain(targets, picture.programs, parameters, targets.blurredArea);
    targets.glowTexture = targets.chain.textures[0];
}

PixelRect bloomLevelTile(int level, int width, int height) {
    int x = 0;
    for (int above = 0; above < level; ++above) x += std::max(1, width >> (above + 1));
    return {x, 0, x + std::max(1, width >> (level + 1)), std::max(1, height >> (level + 1))};
}

void drawBloomLevels(const Picture& picture) {
    const PictureTargets& targets = picture.targets;
    const BloomChainTargets& chain = targets.chain;
    glUseProgram(picture.programs.viewColourProgram->programId);
    glUniform1f(picture.programs.viewScaleLocation, 1.0f);
    glUniform1i(picture.programs.viewBandsLocation, 0);
    glActiveTexture(GL_TEXTURE0 + viewImageUnit);
    const int levels = std::clamp(picture.settings.parameters.bloomLevels, 1, maxBloomLevels);
    for (int level = 0; level < levels && chain.madeForWidth > 0; ++level) {
        const PixelRect tile = bloomLevelTile(level, targets.width, targets.height);
        glViewport(tile.x0, tile.y0, tile.x1 - tile.x0, tile.y1 - tile.y0);
        glBindTexture(GL_TEXTURE_2D, chain.textures[level]);
        renderQuad(picture.programs);
    }
    glViewport(0, 0, targets.width, targets.height);
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);
}
