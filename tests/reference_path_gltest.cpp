// The passes that reuse work between frames against the reference passes that redraw everything:
// every benchmark scenario, run from the same start on both paths, shows the same window and
// leaves the same blurred glow and shadow cube, frame by frame and bit for bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "app/frame.h"
#include "game/game_over.h"
#include "game/input.h"
#include "game/world.h"
#include "render/shadow_map.h"
#include "tests/support/gl_context.h"
#include "tools/bench/scenarios.h"
#include "view/camera.h"

namespace {
constexpr int framesPerRun = 4;

uint64_t fingerprint(const void* data, size_t size, uint64_t hash = 1469598103934665603ull) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

uint64_t cubeFingerprint() {
    std::vector<float> depths(shadowCubeSize * shadowCubeSize);
    uint64_t hash = fingerprint(nullptr, 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        hash = fingerprint(depths.data(), depths.size() * sizeof(float), hash);
    }
    return hash;
}

// What happens between frames: the wireframe switch on at frame 1 and off at frame 3, a restart at
// frame 2; or bloom off at frame 1 and on again at frame 3.
void wireframeAndRestart(int frame) {
    if (frame == 1 || frame == 3) world.settings.wireframe = !world.settings.wireframe;
    if (frame == 2) restartGame();
}
void bloomOffAndOn(int frame) {
    if (frame == 1 || frame == 3) world.settings.bloom = !world.settings.bloom;
}

// Fingerprints of the window with the blurred glow while bloom is on (whose faint edges the
// window's bytes may not show), and of the shadow cube, for each frame of the scenario.
std::vector<std::pair<uint64_t, uint64_t>> run(FrameContext& context, const Scenario& scenario, bool reference,
                                               void (*events)(int frame) = nullptr) {
    std::srand(7);
    startScenario(scenario);
    world.referenceFrames = reference;
    std::vector<std::pair<uint64_t, uint64_t>> prints;
    for (int frame = 0; frame < framesPerRun; ++frame) {
        if (events) events(frame);
        drawFrame(context, scenarioFrameTime, nullptr);
        const std::vector<unsigned char> pixels = readPixels(0, 0, world.frameWidth, world.frameHeight);
        std::vector<float> glow(static_cast<size_t>(world.frameWidth) * world.frameHeight * 3);
        glBindTexture(GL_TEXTURE_2D, world.bloomPass.pingpongTextures[0]);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, glow.data());
        uint64_t picture = fingerprint(pixels.data(), pixels.size());
        if (world.settings.bloom) picture = fingerprint(glow.data(), glow.size() * sizeof(float), picture);
        prints.emplace_back(picture, cubeFingerprint());
    }
    return prints;
}
}  // namespace

// At the window's first size and at another one.
TEST(ReferencePath, EveryScenarioShowsTheSamePicturesAsTheReference) {
    GLFWwindow* window = sharedGlContext();
    world = World{};
    FrameContext context;
    setUpGame(context, window);
    rememberStartState();
    for (const glm::ivec2& size : {glm::ivec2(800, 600), glm::ivec2(640, 360)}) {
        glfwSetWindowSize(window, size.x, size.y);
        glfwSwapBuffers(window);  // the window's own framebuffer takes the new size at a swap
        readWindowSizes(window);
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        for (const Scenario& scenario : scenarios) {
            SCOPED_TRACE(scenario.name);
            EXPECT_EQ(run(context, scenario, false), run(context, scenario, true));
        }
        EXPECT_EQ(run(context, scenarios[0], false, wireframeAndRestart),
                  run(context, scenarios[0], true, wireframeAndRestart)) << "wireframe and restart";
        EXPECT_EQ(run(context, scenarios[3], false, bloomOffAndOn),
                  run(context, scenarios[3], true, bloomOffAndOn)) << "bloom off and on";
    }
    glfwSetWindowSize(window, 800, 600);
    input = glfwInput();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
