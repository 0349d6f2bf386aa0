// The passes that reuse work between frames against the reference passes that redraw everything:
// every benchmark scenario, run from the same start on both paths, shows the same window and
// leaves the same blurred glow and shadow cube, frame by frame and bit for bit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "game/game_over.h"
#include "game/input.h"
#include "game/world.h"
#include "render/bloom.h"
#include "render/scene.h"
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

// The wireframe switch as F3 flips it: the setting and the game's own GL state for it.
void switchWireframe(bool on) {
    world.settings.wireframe = on;
    setWireframe(on);
}

// Fingerprints of the window with the blurred glow (whose faint edges the window's bytes may not
// show), and of the shadow cube, for each frame of the scenario. With events, the wireframe
// switch goes on at frame 1 and off at frame 3, and the game restarts at frame 2.
std::vector<std::pair<uint64_t, uint64_t>> run(GLFWwindow* window, const FrameTargets& targets,
                                               const Scenario& scenario, bool reference, bool events) {
    std::srand(7);
    startScenario(scenario);
    world.referenceFrames = reference;
    std::vector<std::pair<uint64_t, uint64_t>> prints;
    for (int frame = 0; frame < framesPerRun; ++frame) {
        if (events && frame == 1) switchWireframe(true);
        if (events && frame == 2) restartGame();
        if (events && frame == 3) switchWireframe(false);
        updateScenario(window);
        renderScenarioFrame(targets, nullptr);
        const std::vector<unsigned char> pixels = readPixels(0, 0, world.frameWidth, world.frameHeight);
        std::vector<float> glow(static_cast<size_t>(world.frameWidth) * world.frameHeight * 3);
        glBindTexture(GL_TEXTURE_2D, world.bloomPass.pingpongTextures[0]);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, glow.data());
        const uint64_t picture = fingerprint(glow.data(), glow.size() * sizeof(float),
                                             fingerprint(pixels.data(), pixels.size()));
        prints.emplace_back(picture, cubeFingerprint());
    }
    return prints;
}
}  // namespace

// At the window's first size and at another one.
TEST(ReferencePath, EveryScenarioShowsTheSamePicturesAsTheReference) {
    GLFWwindow* window = sharedGlContext();
    world = World{};
    const FrameTargets targets = setUpScenarioWorld(window);
    for (const glm::ivec2& size : {glm::ivec2(800, 600), glm::ivec2(640, 360)}) {
        glfwSetWindowSize(window, size.x, size.y);
        glfwSwapBuffers(window);  // the window's own framebuffer takes the new size at a swap
        readWindowSizes(window);
        resizeBloomTargets(world.frameWidth, world.frameHeight);
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        for (const Scenario& scenario : scenarios) {
            SCOPED_TRACE(scenario.name);
            EXPECT_EQ(run(window, targets, scenario, false, false), run(window, targets, scenario, true, false));
        }
        SCOPED_TRACE("wireframe and restart");
        EXPECT_EQ(run(window, targets, scenarios[0], false, true), run(window, targets, scenarios[0], true, true));
    }
    glfwSetWindowSize(window, 800, 600);
    input = glfwInput();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
