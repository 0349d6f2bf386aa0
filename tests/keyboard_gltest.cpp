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
        world.keyCooldown = 0.0f;
        setWireframe(false);
        glEnable(GL_BLEND);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    // One frame's toggle step with these keys held.
    void frame(std::set<int> keys, float dt) {
        script.heldKeys = std::move(keys);
        handleToggleKeys(nullptr, dt, out);
    }
    // A key pressed once the cooldown of any earlier toggle has run out.
    void press(std::set<int> keys) { frame(std::move(keys), 0.25f); }
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

TEST_F(Keyboard, HeldToggleFlipsOnceAndThenEveryFifthOfASecond) {
    int flips = 0;
    for (int i = 0; i < 20; ++i) {  // one second
        const bool before = world.settings.wireframe;
        frame({GLFW_KEY_F3}, 0.05f);
        flips += world.settings.wireframe != before;
        GLint modes[2] = {0, 0};
        glGetIntegerv(GL_POLYGON_MODE, modes);
        EXPECT_EQ(modes[0], world.settings.wireframe ? GL_LINE : GL_FILL);
        EXPECT_EQ(glIsEnabled(GL_FRAMEBUFFER_SRGB), world.settings.wireframe) << "lines are sRGB-encoded";
    }
    EXPECT_GE(flips, 4);
    EXPECT_LE(flips, 5);
    std::string expected;
    for (int i = 0; i < flips; ++i) expected += i % 2 == 0 ? "Wireframe enabled\n" : "Wireframe disabled\n";
    EXPECT_EQ(out.str(), expected);
}

// Only the first held function key acts, M alongside it; F2 and F9 change their state.
TEST_F(Keyboard, OnlyTheFirstHeldFunctionKeyActsButMActsAlongside) {
    frame({GLFW_KEY_F8, GLFW_KEY_F1}, 0.01f);
    EXPECT_TRUE(world.settings.enemiesFollow);
    EXPECT_TRUE(world.settings.frustumCulling);
    press({GLFW_KEY_F7, GLFW_KEY_M});
    EXPECT_FALSE(world.settings.bloom);
    EXPECT_TRUE(world.settings.showShadowCubeMap);
    EXPECT_EQ(out.str(), "Enemies are following you!\nBloom disabled\n");
    press({GLFW_KEY_F2});
    EXPECT_FALSE(world.settings.printFrameStats);
    press({GLFW_KEY_F9});
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// A frame's update leaves the enemies where they are until F1 sets them on the craft.
TEST_F(Keyboard, EnemiesPursueOnlyOnceF1SetsThemOn) {
    SceneObject& enemy = *world.enemies[1];
    const glm::vec3 start = enemy.position;
    updateWorld(nullptr, 0.1f);
    EXPECT_EQ(enemy.position, start);
    script.heldKeys = {GLFW_KEY_F1};
    updateWorld(nullptr, 0.1f);
    EXPECT_GT(glm::distance(enemy.position, start), 1.0f);
    place(enemy, start, enemy.angleZ, enemy.angleX);
}

// F4 switches nearest and linear, F5 cycles off, nearest and linear mip-map selection, both
// printing both lines; the filters go into every texture and its sampler.
TEST_F(Keyboard, SamplingKeysWriteTheFiltersIntoTexturesAndSamplers) {
    press({GLFW_KEY_F4});
    expectEveryTextureFiltered(GL_LINEAR, GL_LINEAR);
    press({GLFW_KEY_F4});
    press({GLFW_KEY_F5});
    expectEveryTextureFiltered(GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST);
    press({GLFW_KEY_F4});
    press({GLFW_KEY_F5});
    expectEveryTextureFiltered(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    press({GLFW_KEY_F5});
    EXPECT_EQ(world.settings.mipmapMode, 0);
    EXPECT_EQ(out.str(),
              "Texture Sampling linear\nMip Map Sampeling off\nTexture Sampling Nearest Neighbor\nMip Map Sampeling off\n"
              "Texture Sampling Nearest Neighbor\nMip Map Sampeling nearest\n"
              "Texture Sampling linear\nMip Map Sampeling nearest\nTexture Sampling linear\nMip Map Sampeling linear\n"
              "Texture Sampling linear\nMip Map Sampeling off\n");
}

// Keys 3 to 6 watch the lead enemy (3, 4) or the next one (5, 6) from outside it, and a whole
// circle of the sphere orbiting the lead enemy never reaches the eye; 2 chases the craft and
// centres the cursor; 8 jumps into the light in the free view only, and the light sphere ends the
// game only once the eye has left it and comes back.
TEST_F(Keyboard, CameraKeysPickTheirViewsAndNoneEndsTheGameByItself) {
    Camera& camera = *world.camera;
    const std::pair<int, size_t> watched[] = {{GLFW_KEY_3, 0}, {GLFW_KEY_4, 0}, {GLFW_KEY_5, 1}, {GLFW_KEY_6, 1}};
    for (const auto& [key, enemy] : watched) {
        script.heldKeys = {key};
        handleCameraKeys(nullptr);
        script.heldKeys = {};
        ASSERT_EQ(camera.mode, CameraMode::Orbit);
        EXPECT_EQ(camera.target, world.enemies[enemy]) << key;
        for (int step = 0; step < 200; ++step) {  // 4 s, more than a whole circle
            updateOrbitSphere(0.02f);
            camera.updateCamera(nullptr, 0.02f);
            ASSERT_FALSE(isGameOver()) << "key " << key << " after " << step * 0.02f << " s";
        }
        EXPECT_FALSE(sphereOverlaps(*camera.target, 0.1f, camera.position)) << key;
    }
    script.heldKeys = {GLFW_KEY_2, GLFW_KEY_8};
    handleCameraKeys(nullptr);
    handleLightKey(nullptr);
    EXPECT_EQ(camera.mode, CameraMode::Chase);
    EXPECT_EQ(camera.target, world.allObjects[0]);
    EXPECT_EQ(script.cursorMoves, (std::vector<std::pair<double, double>>{{400.0, 300.0}}));
    for (int key : {GLFW_KEY_1, GLFW_KEY_8}) {
        script.heldKeys = {key};
        updateWorld(nullptr, 0.02f);
    }
    EXPECT_EQ(camera.position, world.light.position);
    EXPECT_FALSE(isGameOver()) << "inside the light it jumped to";
    script.heldKeys = {};
    for (glm::vec3 eye : {world.light.position + glm::vec3(0.0f, 0.0f, 20.0f), world.light.position}) {
        camera.position = eye;
        updateWorld(nullptr, 0.0f);
    }
    EXPECT_TRUE(isGameOver()) << "back into the light after leaving it";
    camera.mode = CameraMode::Chase;
    camera.target = world.allObjects[0];
}
