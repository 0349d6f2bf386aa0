// The downsampled bloom chain: on made-up glow images, the levels add up, a moving object keeps its
// halo and one very bright pixel cannot dominate; in the real world, the halo reaches out and fades,
// and the chain works only while something glows and bloom is on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numeric>
#include <vector>

#include "app/frame.h"
#include "game/guided_views.h"
#include "game/world.h"
#include "render/bloom_chain.h"
#include "tests/support/gl_context.h"
#include "tests/support/real_world.h"
#include "tools/bench/scenarios.h"

namespace {
FrameContext context;

struct BloomChain : ::testing::Test {
    static void SetUpTestSuite() { setUpRealWorld(context); }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

constexpr int side = 256;  // the made-up glow images' size

// A picture's targets at side x side whose glow holds what glowAt says for each pixel.
PictureTargets& glowTargets(float (*glowAt)(int x, int y, float shift), float shift = 0.0f) {
    static PictureTargets targets;
    if (targets.width == 0) createPictureTargets(targets, side, side);
    std::vector<float> glow(side * side * 3);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            for (int c = 0; c < 3; ++c) glow[(y * side + x) * 3 + c] = glowAt(x, y, shift);
        }
    }
    glBindTexture(GL_TEXTURE_2D, targets.hdrColorBuffers[1]);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, side, side, GL_RGB, GL_FLOAT, glow.data());
    return targets;
}

// The first level's texels after the chain ran over the whole image.
std::vector<float> chainOutput(PictureTargets& targets, const TechniqueParameters& parameters) {
    runBloomChain(targets, context.renderer.programs, parameters, {0, 0, side, side});
    std::vector<float> level(static_cast<size_t>(targets.chain.widths[0]) * targets.chain.heights[0] * 3);
    glBindTexture(GL_TEXTURE_2D, targets.chain.textures[0]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, level.data());
    return level;
}
double total(const std::vector<float>& texels) { return std::accumulate(texels.begin(), texels.end(), 0.0); }
}  // namespace

TEST_F(BloomChain, ALevelPerHalvingAddsUp) {
    // A glow of 1 everywhere is 1 on every level: the first level sums to one per level.
    PictureTargets& targets = glowTargets([](int, int, float) { return 1.0f; });
    for (int levels : {3, 5, 8}) {
        TechniqueParameters parameters;
        parameters.bloomLevels = levels;
        const std::vector<float> level = chainOutput(targets, parameters);
        EXPECT_NEAR(level[level.size() / 2], static_cast<float>(levels), 0.01f) << levels;
        EXPECT_EQ(targets.chain.levelsDrawn, levels);
    }
}

TEST_F(BloomChain, AMovingObjectKeepsItsHalo) {
    // A disc 40 pixels across, moved by one pixel at a time over two pixels.
    const auto disc = [](int x, int y, float shift) {
        const float dx = static_cast<float>(x) + 0.5f - 128.0f - shift, dy = static_cast<float>(y) + 0.5f - 128.0f;
        return dx * dx + dy * dy < 400.0f ? 4.0f : 0.0f;
    };
    const TechniqueParameters parameters;
    const double first = total(chainOutput(glowTargets(disc, 0.0f), parameters));
    for (float shift : {1.0f, 2.0f, 3.0f}) {
        const double moved = total(chainOutput(glowTargets(disc, shift), parameters));
        EXPECT_LT(std::abs(moved - first), 0.05 * first) << shift;
    }
}

TEST_F(BloomChain, OneVeryBrightPixelCannotDominate) {
    // A plain average keeps a pixel's light: its halo would total levels x 10,000 / 4 = 15,000.
    const auto spark = [](int x, int y, float) { return x == 100 && y == 100 ? 10000.0f : 0.0f; };
    const double halo = total(chainOutput(glowTargets(spark), TechniqueParameters{})) / 3.0;
    EXPECT_LT(halo, 100.0);
    EXPECT_GT(halo, 0.0);
}

namespace {
// The window after a frame of the scenario with these settings changed.
std::vector<unsigned char> frameOf(const Scenario& scenario, void (*change)(RenderSettings&)) {
    startScenario(scenario);
    change(world.settings);
    drawFrame(context, 0.0f, nullptr);
    glFinish();
    return readPixels(0, 0, world.frameWidth, world.frameHeight);
}
int brightnessAt(const std::vector<unsigned char>& pixels, int x, int y) {
    const unsigned char* pixel = &pixels[(static_cast<size_t>(y) * world.frameWidth + x) * 4];
    return pixel[0] + pixel[1] + pixel[2];
}
const Scenario& light = scenarios[3];

// What the halo adds, in the sum of the channels, 12, 24 and 40 pixels outside the light's sphere
// (along the row through its centre, both ways, with bloom off as the background).
std::vector<double> haloOutside(void (*method)(RenderSettings&)) {
    const std::vector<unsigned char> without = frameOf(light, [](RenderSettings& s) { s.bloom = false; });
    const std::vector<unsigned char> with = frameOf(light, method);
    const int cx = world.frameWidth / 2, cy = world.frameHeight / 2;
    int edge = 0;
    while (brightnessAt(without, cx + edge, cy) > 600) ++edge;
    std::vector<double> halo;
    for (int beyond : {12, 24, 40}) {
        halo.push_back(0.5 * (brightnessAt(with, cx + edge + beyond, cy) - brightnessAt(without, cx + edge + beyond, cy) +
                              brightnessAt(with, cx - edge - beyond, cy) - brightnessAt(without, cx - edge - beyond, cy)));
    }
    return halo;
}
}  // namespace

TEST_F(BloomChain, TheHaloReachesOutAndFades) {
    const std::vector<double> chain = haloOutside([](RenderSettings& s) { s.parameters.bloomMethod = 1; });
    EXPECT_GT(chain[0], chain[1]);
    EXPECT_GT(chain[1], chain[2]);
    EXPECT_GE(chain[1], 6.0);
}

TEST_F(BloomChain, WorksOnlyWhereSomethingGlowsAndWhileBloomIsOn) {
    const auto withChain = [](RenderSettings& s) { s.parameters.bloomMethod = 1; };
    // Inside the area the glow can reach it draws exactly what the whole chain would.
    const std::vector<unsigned char> restricted = frameOf(light, withChain);
    EXPECT_GT(context.renderer.picture.chain.levelsDrawn, 0);
    context.renderer.referenceFrames = true;
    EXPECT_EQ(frameOf(light, withChain), restricted);
    context.renderer.referenceFrames = false;
    frameOf(scenarios[5], withChain);  // from inside the light: nothing in view glows
    EXPECT_EQ(context.renderer.picture.chain.levelsDrawn, 0);
    context.renderer.picture.chain.levelsDrawn = -1;
    frameOf(light, [](RenderSettings& s) {
        s.parameters.bloomMethod = 1;
        s.bloom = false;
    });
    EXPECT_EQ(context.renderer.picture.chain.levelsDrawn, -1);  // the chain did not run
}
