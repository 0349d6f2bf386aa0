// Camera keys and the toggle keys with their cooldown, messages and GL effects, in the real world.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "app/keyboard.h"
#include "app/update.h"
#include "game/game_over.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/scripted_input.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
struct Keyboard : ::testing::Test {
    static void SetUpTestSuite() {
        world = World{};
        std::srand(1);
        setUpWorld(sharedGlContext());
    }
    ScriptedInputScope scope;
    std::ostringstream out;

    void SetUp() override {
        world.settings = RenderSettings{};
        setWireframe(false);
        glEnable(GL_BLEND);
        clearKeyPresses();
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    // One frame's toggle step: these keys held now, those pressed since the last frame, in order.
    void frame(std::set<int> held, std::vector<int> pressed = {}) {
        script.heldKeys = std::move(held);
        for (int key : pressed) recordKeyPress(key);
        handleToggleKeys(nullptr, out);
        clearKeyPresses();
    }
    // A key pressed and released between two frames.
    void tap(std::vector<int> keys) { frame({}, std::move(keys)); }
};

// Every texture and its sampler hold these filters.
void expectEveryTextureFiltered(GLint minFilter, GLint magFilter) {
    ASSERT_FALSE(world.textureList.empty());
    for (const Texture& texture : world.textureList) {
        GLint filters[4] = {};
        glBindTexture(GL_TEXTURE_2D, texture.textureId);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filters[0]);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filters[1]);
        glGetSamplerParameteriv(texture.samplerId, GL_TEXTURE_MIN_FILTER, &filters[2]);
        glGetSamplerParameteriv(texture.samplerId, GL_TEXTURE_MAG_FILTER, &filters[3]);
        EXPECT_EQ(std::vector<GLint>(filters, filters + 4),
                  (std::vector<GLint>{minFilter, magFilter, minFilter, magFilter})) << texture.path;
    }
}
}  // namespace

// A toggle acts once per press however long it is held, and once for a tap between two frames;
// every toggle pressed in one frame acts, in press order.
TEST_F(Keyboard, EachToggleActsOncePerPress) {
    frame({GLFW_KEY_F3}, {GLFW_KEY_F3});
    for (int i = 0; i < 20; ++i) frame({GLFW_KEY_F3});
    EXPECT_TRUE(world.settings.wireframe);
    GLint modes[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], GL_LINE);
    EXPECT_TRUE(glIsEnabled(GL_FRAMEBUFFER_SRGB)) << "lines are sRGB-encoded";
    tap({GLFW_KEY_F3});
    EXPECT_EQ(out.str(), "Wireframe enabled\nWireframe disabled\n");
    out.str("");
    tap({GLFW_KEY_F8, GLFW_KEY_F1, GLFW_KEY_M, GLFW_KEY_F7});
    EXPECT_TRUE(world.settings.enemiesFollow && !world.settings.frustumCulling && !world.settings.bloom);
    EXPECT_TRUE(world.settings.showShadowCubeMap);
    EXPECT_EQ(out.str(), "View Frustum Culling disabled\nEnemies are following you!\nBloom disabled\n");
    tap({GLFW_KEY_F2, GLFW_KEY_F9});
    EXPECT_FALSE(world.settings.printFrameStats);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// A frame's update leaves the enemies where they are until F1 sets them on the craft.
TEST_F(Keyboard, EnemiesPursueOnlyOnceF1SetsThemOn) {
    SceneObject& enemy = *world.enemies[1];
    const glm::vec3 start = enemy.position;
    updateWorld(nullptr, 0.1f);
    EXPECT_EQ(enemy.position, start);
    recordKeyPress(GLFW_KEY_F1);
    updateWorld(nullptr, 0.1f);
    EXPECT_GT(glm::distance(enemy.position, start), 1.0f);
    place(enemy, start, enemy.angleZ, enemy.angleX);
}

// F4 switches nearest and linear, F5 cycles off, nearest and linear mip-map selection, both
// printing both lines; the filters go into every texture and its sampler.
TEST_F(Keyboard, SamplingKeysWriteTheFiltersIntoTexturesAndSamplers) {
    tap({GLFW_KEY_F4});
    expectEveryTextureFiltered(GL_LINEAR, GL_LINEAR);
    tap({GLFW_KEY_F4});
    tap({GLFW_KEY_F5});
    expectEveryTextureFiltered(GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST);
    tap({GLFW_KEY_F4});
    tap({GLFW_KEY_F5});
    expectEveryTextureFiltered(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    tap({GLFW_KEY_F5});
    EXPECT_EQ(world.settings.mipmapMode, 0);
    EXPECT_EQ(out.str(),
              "Texture Sampling linear\nMip Map Sampeling off\nTexture Sampling Nearest Neighbor\nMip Map Sampeling off\n"
              "Texture Sampling Nearest Neighbor\nMip Map Sampeling nearest\n"
              "Texture Sampling linear\nMip Map Sampeling nearest\nTexture Sampling linear\nMip Map Sampeling linear\n"
              "Texture Sampling linear\nMip Map Sampeling off\n");
}

// Keys 3 to 6 watch the lead enemy (3, 4) or the next one (5, 6), 2 chases the craft and centres
// the cursor, each for a tap shorter than a frame; held keys act every frame, and of several keys
// the one pressed last decides. 8 jumps to the light in the free view only.
TEST_F(Keyboard, ViewKeysActForATapAndTheLastPressedDecides) {
    Camera& camera = *world.camera;
    const auto viewAfter = [&](std::set<int> held, std::vector<int> pressed) {
        script.heldKeys = std::move(held);
        for (int key : pressed) recordKeyPress(key);
        handleCameraKeys(nullptr);
        handleLightKey(nullptr);
        clearKeyPresses();
        return std::make_pair(camera.mode, camera.target);
    };
    const auto orbiting = [&](size_t enemy) { return std::make_pair(CameraMode::Orbit, world.enemies[enemy]); };
    EXPECT_EQ(viewAfter({}, {GLFW_KEY_5}), orbiting(1));
    EXPECT_EQ(camera.orbitEyeOffset, glm::vec3(2, 3, 3));
    EXPECT_EQ(viewAfter({}, {GLFW_KEY_6, GLFW_KEY_3}), orbiting(0));
    EXPECT_EQ(camera.orbitEyeOffset, glm::vec3(2, 3, -3));
    EXPECT_EQ(viewAfter({GLFW_KEY_4}, {GLFW_KEY_4, GLFW_KEY_6}), orbiting(1));
    EXPECT_EQ(viewAfter({GLFW_KEY_4, GLFW_KEY_6}, {}), orbiting(1)) << "held keys in their fixed order";
    EXPECT_EQ(viewAfter({GLFW_KEY_6}, {GLFW_KEY_4}), orbiting(0)) << "a new press wins over a held key";
    EXPECT_EQ(viewAfter({}, {GLFW_KEY_2, GLFW_KEY_8}), std::make_pair(CameraMode::Chase, world.allObjects[0]));
    EXPECT_EQ(script.cursorMoves, (std::vector<std::pair<double, double>>{{400.0, 300.0}}));
    camera.updateCamera(nullptr, 0.0f);
    viewAfter({}, {GLFW_KEY_1, GLFW_KEY_8});
    EXPECT_EQ(camera.mode, CameraMode::Free);
    EXPECT_EQ(camera.position, world.light.position);
    chaseCraft(camera, world.allObjects[0]);
}
