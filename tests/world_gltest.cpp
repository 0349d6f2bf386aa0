// The real world through the game's own start-up and frame. After an intended change of the look,
// refresh the golden images with QUORLAX_UPDATE_GOLDEN=1 ctest -R world_gltest (in build/), look at
// tests/golden/*.png and commit them.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <regex>
#include <sstream>

#include <glm/gtc/matrix_transform.hpp>

#include "app/frame.h"
#include "app/gl_errors.h"
#include "assets/model.h"
#include "assets/shader_program.h"
#include "game/game_over.h"
#include "game/settings.h"
#include "game/world.h"
#include "render/pass_timer.h"
#include "render/pipeline_view.h"
#include "render/shadow_map.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"
#include "tests/support/real_world.h"
#include "tests/support/scripted_input.h"
#include "tools/bench/scenarios.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/frustum.h"

namespace {
constexpr int pixelTolerance = 40;  // per channel, per pixel of the window downscaled 4 x 4
constexpr double meanTolerance = 1.5;

// The shared window at this size; its own framebuffer takes the new size at a swap.
void resizeWindow(int width, int height) {
    GLFWwindow* window = sharedGlContext();
    glfwSetWindowSize(window, width, height);
    glfwSwapBuffers(window);
    readWindowSizes(window);
}

struct RealWorld : ::testing::Test {
    static FrameContext context;
    static void SetUpTestSuite() { setUpRealWorld(context); }
    // Each test starts from the world as set up, whatever an earlier one left (also on a failure).
    void SetUp() override {
        resizeWindow(800, 600);
        startScenario(scenarios[0]);
        RealWorld::context.renderer.referenceFrames = false;
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};
FrameContext RealWorld::context;

// A free camera at eye looking at target, as the camera itself aims.
void aimAt(glm::vec3 eye, glm::vec3 target) {
    Camera& camera = *world.camera;
    camera.switchToFree(eye, 0.0f, 0.0f);
    aimAlong(camera, target - eye);
    camera.updateCamera(RealWorld::context.window, 0.0f);
}

// The game's frame without moving the world, finished: the pixels from corner on (the whole window).
std::vector<unsigned char> renderFrame(glm::ivec2 corner = {0, 0}, glm::ivec2 size = {800, 600}) {
    drawFrame(RealWorld::context, 0.0f, nullptr);
    glFinish();
    return readPixels(corner.x, corner.y, size.x, size.y);
}

// Window pixel of a world point under the current camera.
glm::ivec2 pixelOf(glm::vec3 point) {
    const glm::vec4 clip = world.camera->viewProjection * glm::vec4(point, 1.0f);
    return glm::ivec2((glm::vec2(clip) / clip.w * 0.5f + 0.5f) * glm::vec2(800.0f, 600.0f));
}

// The six faces of the depth cube map, one after the other.
std::vector<float> depthCube() {
    std::vector<float> depths(6 * shadowCubeSize * shadowCubeSize);
    glBindTexture(GL_TEXTURE_CUBE_MAP, RealWorld::context.renderer.shadowMap.cube);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, &depths[face * depths.size() / 6]);
    }
    return depths;
}

constexpr int framesPerRun = 4;

uint64_t fingerprint(const void* data, size_t size, uint64_t hash = 1469598103934665603ull) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
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
std::vector<std::pair<uint64_t, uint64_t>> run(const Scenario& scenario, bool reference, void (*events)(int frame) = nullptr) {
    std::srand(7);
    startScenario(scenario);
    RealWorld::context.renderer.referenceFrames = reference;
    std::vector<std::pair<uint64_t, uint64_t>> prints;
    for (int frame = 0; frame < framesPerRun; ++frame) {
        if (events) events(frame);
        drawFrame(RealWorld::context, scenarioFrameTime, nullptr);
        const std::vector<unsigned char> pixels = readPixels(0, 0, world.frameWidth, world.frameHeight);
        std::vector<float> glow(static_cast<size_t>(world.frameWidth) * world.frameHeight * 3);
        glBindTexture(GL_TEXTURE_2D, RealWorld::context.renderer.picture.pingpongTextures[0]);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, glow.data());
        uint64_t picture = fingerprint(pixels.data(), pixels.size());
        if (world.settings.bloom) picture = fingerprint(glow.data(), glow.size() * sizeof(float), picture);
        const std::vector<float> cube = depthCube();
        prints.emplace_back(picture, fingerprint(cube.data(), cube.size() * sizeof(float)));
    }
    return prints;
}

// Skipping the faces a triangle cannot reach must not lose a single covered texel.
TEST_F(RealWorld, ShadowCubeHoldsEveryTriangleOnEveryFaceItCovers) {
    RealWorld::context.renderer.referenceFrames = true;
    ShadowMap& shadowMap = context.renderer.shadowMap;
    renderShadowPass(shadowMap, worldScene(), false, true);
    const std::vector<float> shipped = depthCube();
    const std::string dir = scratchDirectory();
    writeBytes(dir + "every_face.geom", R"(#version 410 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 18) out;
uniform mat4 shadowTransforms[6];
out vec4 worldPosition;
void main() {
    for (int face = 0; face < 6; ++face) {
        for (int i = 0; i < 3; ++i) {
            gl_Layer = face;
            worldPosition = gl_in[i].gl_Position;
            gl_Position = shadowTransforms[face] * gl_in[i].gl_Position;
            EmitVertex();
        }
        EndPrimitive();
    }
})");
    ShaderProgram everyFace("Shader/DepthShader.vert", "Shader/DepthShader.frag", dir + "every_face.geom");
    std::filesystem::remove_all(dir);
    ShaderProgram* const shippedProgram = shadowMap.program;
    shadowMap.program = &everyFace;
    renderShadowPass(shadowMap, worldScene(), false, true);
    shadowMap.program = shippedProgram;
    RealWorld::context.renderer.referenceFrames = false;
    const std::vector<float> expected = depthCube();
    int covered = 0, missing = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        covered += expected[i] < 1.0f;
        missing += shipped[i] != expected[i];
    }
    EXPECT_GT(covered, 0);
    EXPECT_EQ(missing, 0) << "of " << covered << " covered texels";
}

// Looks at the first asteroid that lies over 90 units from the light, from the light's side, from
// the given distance.
void aimAtAsteroidFrom(float distance) {
    for (const SceneObject* asteroid : world.asteroids) {
        const glm::vec3 rock(asteroid->transform[3]);
        if (glm::distance(rock, world.light.position) <= 90.0f) continue;
        aimAt(rock + glm::normalize(world.light.position - rock) * distance, rock);
        return;
    }
    ADD_FAILURE() << "no asteroid lies over 90 units from the light";
}

// The translucent orbiting sphere from 6 units, a planet behind it.
void aimAtOrbitSphere() {
    const glm::vec3 orbit(world.orbitSphere->transform[3]);
    aimAt(orbit + glm::normalize(orbit - glm::vec3(-120.0f, 50.0f, -50.0f)) * 6.0f, orbit);
}

// How much an asteroid put behind the translucent sphere changes the sphere's centre pixel, seen
// from the light's side: rendered there, then moved away.
int rockShowingThroughSphere() {
    const glm::vec3 sphere = worldCenter(*world.orbitSphere);
    const glm::vec3 towardsLight = glm::normalize(world.light.position - sphere);
    SceneObject& rock = *world.asteroids[0];
    place(rock, sphere - towardsLight * 15.0f, rock.orientation);
    aimAt(sphere + towardsLight * 6.0f, sphere);
    const glm::ivec2 pixel = pixelOf(sphere);
    const std::vector<unsigned char> with = renderFrame(pixel, {1, 1});
    const glm::mat4 placed = rock.transform;
    rock.transform = glm::translate(placed, glm::vec3(0.0f, 0.0f, 500.0f));
    const std::vector<unsigned char> without = renderFrame(pixel, {1, 1});
    rock.transform = placed;
    return std::max({std::abs(with[0] - without[0]), std::abs(with[1] - without[1]), std::abs(with[2] - without[2])});
}

// R on an end screen: the frame shows the new game's first picture, the same as the next frame.
TEST_F(RealWorld, TheFrameAfterRIsTheNewGamesPicture) {
    const Scenario crashWithRHeld{"restart", GLFW_KEY_R, [] {
        SceneObject& craft = *world.allObjects[0];
        place(craft, world.light.position, craft.orientation);
    }};
    startScenario(crashWithRHeld);
    ASSERT_EQ(drawFrame(context, 0.0f, nullptr), FrameOutcome::NewGame);
    const std::vector<unsigned char> first = readPixels(0, 0, 800, 600);
    ASSERT_EQ(drawFrame(context, 0.0f, nullptr), FrameOutcome::Drawn);
    EXPECT_EQ(first, readPixels(0, 0, 800, 600));
    EXPECT_GT(std::count_if(first.begin(), first.end(), [](unsigned char byte) { return byte > 40; }), 10000);
    const GLuint lit = world.litPrograms.specular[0]->programId;
    glm::vec3 eye(0.0f);
    glGetUniformfv(lit, glGetUniformLocation(lit, "viewPosition"), &eye.x);
    EXPECT_EQ(eye, world.camera->position) << "highlights are seen from this frame's eye";
}

// Key 1, then R: the free view is upright, so the light, above the eye, shows in the upper half.
TEST_F(RealWorld, RShowsTheFreeViewUpright) {
    startScenario({"1 then R", GLFW_KEY_R, [] { world.camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f); }});
    drawFrame(context, 0.0f, nullptr);
    EXPECT_GT(pixelOf(world.light.position).y, 300);
}

// A still view is drawn anew when only a shadow over it changes: the casters out of view leave.
TEST_F(RealWorld, AStillViewFollowsItsShadows) {
    aimAt({200.0f, 60.0f, -60.0f}, {260.0f, 100.0f, -10.0f});
    const std::vector<unsigned char> shadowed = renderFrame();
    for (SceneObject* caster : world.shadowCasters) {
        if (!isInFrustum(world.camera->frustum, *caster)) caster->transform = glm::translate(caster->transform, glm::vec3(0.0f, 0.0f, 3000.0f));
    }
    EXPECT_NE(renderFrame(), shadowed);
}

// The passes that reuse work between frames against the reference passes that redraw everything:
// every benchmark scenario, run from the same start on both paths, shows the same window and
// leaves the same blurred glow and shadow cube, frame by frame and bit for bit, at the window's
// first size and at another one.
TEST_F(RealWorld, EveryScenarioShowsTheSamePicturesAsTheReference) {
    for (const glm::ivec2& size : {glm::ivec2(800, 600), glm::ivec2(640, 360)}) {
        resizeWindow(size.x, size.y);
        SCOPED_TRACE(std::to_string(size.x) + "x" + std::to_string(size.y));
        for (const Scenario& scenario : scenarios) {
            SCOPED_TRACE(scenario.name);
            const auto optimised = run(scenario, false);
            // From inside the light none of its faces is drawn, and nothing else in view glows.
            EXPECT_TRUE(std::string(scenario.name) != "light_inside" || RealWorld::context.renderer.picture.blurredArea.empty());
            EXPECT_EQ(optimised, run(scenario, true));
        }
        EXPECT_EQ(run(scenarios[0], false, wireframeAndRestart),
                  run(scenarios[0], true, wireframeAndRestart)) << "wireframe and restart";
        EXPECT_EQ(run(scenarios[3], false, bloomOffAndOn),
                  run(scenarios[3], true, bloomOffAndOn)) << "bloom off and on";
    }
}

// From beside the light, a planet behind it: every pipeline view differs from the final picture and
// from the others, and each cell of the unfolded cube is as grey on average as its face's distances.
TEST_F(RealWorld, EachPipelineViewShowsItsOwnStage) {
    aimAt({0.0f, 0.0f, 5.0f}, world.light.position);
    std::vector<std::vector<unsigned char>> pictures;
    for (int view = 0; view < static_cast<int>(PipelineView::Count); ++view) {
        world.settings.pipelineView = static_cast<PipelineView>(view);
        pictures.push_back(renderFrame());
        for (int other = 0; other < view; ++other) EXPECT_NE(pictures[other], pictures[view]) << other << " " << view;
    }
    // The glow holds only what shines by itself: the light, not the lit planet and the stars.
    const auto shown = [](const std::vector<unsigned char>& pixels) {
        int count = 0;
        for (size_t i = 0; i < pixels.size(); i += 4) count += pixels[i] + pixels[i + 1] + pixels[i + 2] > 30;
        return count;
    };
    EXPECT_LT(shown(pictures[static_cast<int>(PipelineView::Glow)]), shown(pictures[0]) * 3 / 5);
    // The cross of 200-pixel cells fills the window: middle row -X +Z +X -Z, +Y above +Z, -Y below;
    // nearness to the light as grey.
    const glm::ivec2 cells[6] = {{2, 1}, {0, 1}, {1, 2}, {1, 0}, {1, 1}, {3, 1}};
    const std::vector<float> depths = depthCube();
    const size_t faceSize = depths.size() / 6;
    for (int face = 0; face < 6; ++face) {
        double expected = 0.0, shown = 0.0;
        for (size_t i = 0; i < faceSize; ++i) expected += 1.0f - std::min(depths[face * faceSize + i] * shadowFarPlane / shadowViewRange, 1.0f);
        const unsigned char* cell = &pictures.back()[(cells[face].y * 200 * 800 + cells[face].x * 200) * 4];
        for (int i = 0; i < 200 * 200; ++i) shown += cell[(i / 200 * 800 + i % 200) * 4];
        EXPECT_NEAR(shown / (200 * 200), expected / faceSize * 255.0, 1.0) << "face " << face;
    }
}

// Anti-aliasing on the light without bloom, a white disc on the dark sky: around it more pixels
// take shades between the two, flat areas (3 x 3 pixels within one step) keep every byte, and the
// highest edge threshold changes fewer pixels than the default one. In the compare view the right
// side follows these settings: it is smoothed.
TEST_F(RealWorld, AntiAliasingSmoothsEdgesOnly) {
    startScenario(scenarios[4]);
    const std::vector<unsigned char> jagged = renderFrame();
    const glm::ivec2 light = pixelOf(world.light.position);
    world.settings.fxaa = true;
    const std::vector<unsigned char> smooth = renderFrame();
    world.settings.compare = true;
    const std::vector<unsigned char> compared = renderFrame();
    world.settings.compare = false;
    world.settings.parameters.fxaaEdgeThreshold = 0.333f;
    const std::vector<unsigned char> strict = renderFrame();
    int shaded[2] = {}, changed[2] = {};
    for (int y = 1; y < 599; ++y) {
        for (int x = 1; x < 799; ++x) {
            const size_t i = (y * 800 + x) * 4;
            const auto same = [i](const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
                return std::equal(&a[i], &a[i + 4], &b[i]);
            };
            if (x >= 400 && !same(compared, smooth)) FAIL() << "compared pixel " << x << "," << y;
            bool flat = true;
            for (int k = 0; k < 27; ++k) flat &= std::abs(jagged[i + ((k / 9 - 1) * 800 + k / 3 % 3 - 1) * 4 + k % 3] - jagged[i + k % 3]) <= 1;
            if (flat && !same(smooth, jagged)) FAIL() << "flat pixel " << x << "," << y;
            if (std::abs(x - light.x) > 90 || std::abs(y - light.y) > 90) continue;
            shaded[0] += jagged[i + 1] > 40 && jagged[i + 1] < 200;
            shaded[1] += smooth[i + 1] > 40 && smooth[i + 1] < 200;
            changed[0] += !same(smooth, jagged);
            changed[1] += !same(strict, jagged);
        }
    }
    EXPECT_GT(shaded[1], shaded[0] * 3 / 2) << shaded[0] << " shaded pixels without";
    EXPECT_LT(changed[1], changed[0]) << "at the highest threshold";
}

// Each pending error gives one "GL: " line on standard error, nothing pending gives none.
TEST_F(RealWorld, EachGlErrorGivesOneLine) {
    ::testing::internal::CaptureStderr();
    reportGlError();
    glViewport(0, 0, -1, -1);
    reportGlError();
    reportGlError();
    glEnable(0xFFFF);
    reportGlError();
    const std::string written = ::testing::internal::GetCapturedStderr();
    glViewport(0, 0, 800, 600);
    std::smatch lines;
    ASSERT_TRUE(std::regex_match(written, lines, std::regex("(GL: [^\n]+\n)(GL: [^\n]+\n)"))) << written;
    EXPECT_NE(lines[1], lines[2]) << "two errors, two messages";
}

// The window of width x height averaged over 4 x 4 blocks, in FreeImage's layout: blue, green, red,
// bottom row first.
std::vector<unsigned char> downscaledWindow(int width = 800, int height = 600) {
    const std::vector<unsigned char> rgba = readPixels(0, 0, width, height);
    const int smallWidth = width / 4, smallHeight = height / 4;
    std::vector<unsigned char> small(smallWidth * smallHeight * 3);
    for (int y = 0; y < smallHeight; ++y) {
        for (int x = 0; x < smallWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int d = 0; d < 16; ++d) sum += rgba[((4 * y + d / 4) * width + 4 * x + d % 4) * 4 + c];
                small[(y * smallWidth + x) * 3 + 2 - c] = static_cast<unsigned char>((sum + 8) / 16);
            }
        }
    }
    return small;
}

constexpr unsigned masks[3] = {FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK};

void writeGolden(std::vector<unsigned char> pixels, int width, int height, const std::string& path) {
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(pixels.data(), width, height, width * 3, 24, masks[0], masks[1],
                                                    masks[2], FALSE);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION));
    FreeImage_Unload(bitmap);
}

// The golden image in the same layout; empty when it cannot be read or has another size.
std::vector<unsigned char> readGolden(const std::string& path, int width, int height) {
    FIBITMAP* loaded = FreeImage_Load(FIF_PNG, path.c_str(), 0);
    if (!loaded) return {};
    FIBITMAP* bitmap = FreeImage_ConvertTo24Bits(loaded);
    FreeImage_Unload(loaded);
    std::vector<unsigned char> pixels;
    if (static_cast<int>(FreeImage_GetWidth(bitmap)) == width && static_cast<int>(FreeImage_GetHeight(bitmap)) == height) {
        pixels.resize(width * height * 3);
        FreeImage_ConvertToRawBits(pixels.data(), bitmap, width * 3, 24, masks[0], masks[1], masks[2], FALSE);
    }
    FreeImage_Unload(bitmap);
    return pixels;
}

// Compares the window (width x height) with tests/golden/<name>.png, or rewrites that image when
// QUORLAX_UPDATE_GOLDEN=1; returns whether it rewrote it.
bool matchesGolden(const std::string& name, int width = 800, int height = 600) {
    const char* update = std::getenv("QUORLAX_UPDATE_GOLDEN");
    const std::vector<unsigned char> image = downscaledWindow(width, height);
    const std::string path = directoryOf(__FILE__) + "golden/" + name + ".png";
    if (update && std::string(update) == "1") {
        writeGolden(image, width / 4, height / 4, path);
        return true;
    }
    const std::vector<unsigned char> golden = readGolden(path, width / 4, height / 4);
    EXPECT_EQ(golden.size(), image.size()) << path << " missing or of another size";
    if (golden.size() != image.size()) return false;
    long total = 0;
    int worst = 0;
    for (size_t i = 0; i < image.size(); ++i) {
        const int difference = std::abs(image[i] - golden[i]);
        total += difference;
        worst = std::max(worst, difference);
    }
    EXPECT_LE(worst, pixelTolerance) << name;
    EXPECT_LE(static_cast<double>(total) / image.size(), meanTolerance) << name;
    return false;
}

struct GoldenView {
    const char* name;            // tests/golden/<name>.png
    std::function<void()> pose;  // aims the camera and changes the settings the view needs
};

const GoldenView goldenViews[] = {
    {"world", [] { aimAt({-70.0f, 30.0f, 95.0f}, {20.0f, 20.0f, 10.0f}); }},
    // The edge of the nearer planet's shadow across the farthest planet.
    {"shadow_edge", [] { aimAt({200.0f, 60.0f, -60.0f}, {260.0f, 100.0f, -10.0f}); }},
    {"orbit_sphere", aimAtOrbitSphere},
    // The lead enemy's hull from the light's side: its texture and highlight.
    {"enemy_ship",
     [] {
         const glm::vec3 ship(world.leadEnemy->transform[3]);
         aimAt(ship + glm::normalize(world.light.position - ship) * 2.5f + glm::vec3(0.0f, 0.8f, 0.0f), ship);
     }},
    // Just inside and just outside the level-of-detail distance.
    {"asteroid_near", [] { aimAtAsteroidFrom(74.5f); }},
    {"asteroid_far", [] { aimAtAsteroidFrom(75.5f); }},
    {"shadow_map_sky",
     [] { world.settings.showShadowCubeMap = true; aimAt({-70.0f, 30.0f, 95.0f}, {20.0f, 20.0f, 10.0f}); }},
    {"wireframe", [] { world.settings.wireframe = true; aimAt({40.0f, 20.0f, 160.0f}, {120.0f, 50.0f, 50.0f}); }},
};

TEST_F(RealWorld, ViewsLookLikeTheirGoldenImages) {
    bool updated = false;
    for (const GoldenView& view : goldenViews) {
        SCOPED_TRACE(view.name);
        startScenario(scenarios[0]);
        view.pose();
        renderFrame();
        updated = matchesGolden(view.name);
    }
    // The start view in windows of other sizes: the picture fills each, at its own aspect.
    for (const glm::ivec2& size : {glm::ivec2(1000, 700), glm::ivec2(640, 360), glm::ivec2(800, 600)}) {
        resizeWindow(size.x, size.y);
        startScenario(scenarios[0]);
        drawFrame(context, scenarioFrameTime, nullptr);
        ASSERT_EQ(glm::ivec2(world.frameWidth, world.frameHeight), size);
        if (size.x != 800) updated = matchesGolden("start_" + std::to_string(size.x) + "x" + std::to_string(size.y), size.x, size.y);
    }
    if (updated) GTEST_SKIP() << "golden images rewritten";
}

double meanBrightness(const std::vector<unsigned char>& rgba) {
    double sum = 0.0;
    for (size_t i = 0; i < rgba.size(); i += 4) sum += rgba[i] + rgba[i + 1] + rgba[i + 2];
    return sum / static_cast<double>(rgba.size() / 4 * 3);
}
void pose(const char* name) {
    for (const GoldenView& view : goldenViews) {
        if (std::string(name) == view.name) view.pose();
    }
}
// Brightness of the light sphere seen from 40 units (140 pixels across): at its outline plus the
// pixels given (24 above: its halo), or at its centre.
double lightSphere(int above) {
    const glm::vec3 light = world.light.position;
    aimAt(light + glm::vec3(0.0f, 0.0f, 40.0f), light);
    const glm::ivec2 outline = pixelOf(light + glm::vec3(0.0f, 40.0f * std::tan(std::asin(5.0f / 40.0f)), 0.0f));
    const glm::ivec2 pixel = above > 0 ? outline + glm::ivec2(0, above) : pixelOf(light);
    return meanBrightness(renderFrame(pixel, {1, 1}));
}
// The orbit sphere's centre over the dark sky: at full opacity nothing of the sky shows through.
double orbitSphereCentre() {
    aimAtOrbitSphere();
    return meanBrightness(renderFrame(pixelOf(worldCenter(*world.orbitSphere)), {1, 1}));
}
// A count the scene pass keeps (objects culled, drawn at low detail) after drawing a view.
double countIn(const char* view, const int& count) {
    pose(view);
    renderFrame();
    return count;
}
// Pixels of the shadow edge view in partial shadow: darker than without shadows, by more than a
// little and less than nearly the most any pixel is.
double partlyShadowed() {
    pose("shadow_edge");
    const std::vector<unsigned char> shadowed = renderFrame();
    world.settings.shadows = false;
    const std::vector<unsigned char> lit = renderFrame();
    world.settings.shadows = true;
    std::vector<int> darkening(shadowed.size() / 4);
    for (size_t i = 0; i < darkening.size(); ++i) darkening[i] = lit[i * 4 + 1] - shadowed[i * 4 + 1];
    const int most = *std::max_element(darkening.begin(), darkening.end());
    return std::count_if(darkening.begin(), darkening.end(), [most](int d) { return d > 4 && d < most * 3 / 4; });
}

// A switch or parameter set away from its default, and what it must raise: measured with the
// default, then with the setting, it rises by at least `rise`.
struct SettingEffect {
    const char* setting;      // as --set reads it
    double (*measure)();
    double rise;
};
const SettingEffect settingEffects[] = {
    {"exposure=2", [] { pose("world"); return meanBrightness(renderFrame()); }, 5.0},
    {"bloom=0", [] { return -lightSphere(24); }, 0.05 * 255.0},
    {"blur_passes=0", [] { return -lightSphere(24); }, 0.05 * 255.0},
    {"blur_passes=24", [] { return lightSphere(40); }, 8.0},
    {"light_emission=0", [] { world.settings.bloom = false; return -lightSphere(0); }, 60.0},
    {"shadows=0", [] { pose("shadow_edge"); return meanBrightness(renderFrame()); }, 8.0},
    {"shadow_softness=3", partlyShadowed, 3000.0},
    {"lod_distance=20", [] { return countIn("asteroid_near", world.lowDetailCount); }, 1.0},
    {"lod_always_lowest=1", [] { return countIn("asteroid_near", world.lowDetailCount); }, 1.0},
    {"transparency=0", [] { return -double(rockShowingThroughSphere()); }, 15.0},
    {"orbit_opacity=1", orbitSphereCentre, 80.0},
    {"field_of_view=100", [] { return -countIn("world", world.culledCount); }, 8.0},
    {"frustum_culling=0", [] { return -countIn("world", world.culledCount); }, 40.0},
};

// Each switch and parameter does to the picture what it says; at its default the picture is the
// goldens'.
TEST_F(RealWorld, EachSettingChangesThePictureAsItSays) {
    for (const SettingEffect& effect : settingEffects) {
        SCOPED_TRACE(effect.setting);
        startScenario(scenarios[0]);
        const double before = effect.measure();
        startScenario(scenarios[0]);
        std::string reason;
        ASSERT_TRUE(applySettingText(world.settings, effect.setting, reason)) << reason;
        const double after = effect.measure();
        EXPECT_GE(after - before, effect.rise) << before << " -> " << after;
    }
}

// Compare: left of the line the defaults' picture, right of it the one set now, bit for bit.
TEST_F(RealWorld, CompareShowsTheDefaultsLeftAndYoursRight) {
    pose("world");
    const std::vector<unsigned char> defaults = renderFrame();
    world.settings.wireframe = true;
    world.settings.parameters.exposure = 3.0f;
    const std::vector<unsigned char> yours = renderFrame();
    world.settings.compare = true;
    world.settings.compareSplit = 0.3f;
    const std::vector<unsigned char> compared = renderFrame();
    for (size_t i = 0; i < compared.size(); ++i) {
        const bool left = static_cast<int>(i / 4 % 800) < 240;
        if (compared[i] != (left ? defaults : yours)[i]) FAIL() << "pixel " << i / 4 % 800 << "," << i / 4 / 800;
    }
    // Dragging the line with the settings panel's mouse acts on the frame it happens in: the
    // defaults reach the new line at once (rows away from the labels at the bottom).
    ScriptedInputScope scope;
    PassTimer shownTimes;
    world.settings.settingsPanel = true;
    script.heldButtons = {GLFW_MOUSE_BUTTON_LEFT};
    for (double x : {240.0, 560.0}) {  // press on the line, then drag it
        script.cursorX = x;
        drawFrame(context, 0.0f, nullptr, &shownTimes);
    }
    const std::vector<unsigned char> dragged = readPixels(0, 0, 800, 600);
    for (size_t i = 800 * 100 * 4; i < 800 * 500 * 4; ++i) {
        if (i / 4 % 800 < 550 && dragged[i] != defaults[i]) FAIL() << "pixel " << i / 4 % 800 << "," << i / 3200;
    }
}

// At the level-of-detail distance the stand-in covers as much of the view as its rock, on average
// over evenly spread directions: a rock crossing the distance does not pop. The rock is lifted high
// above the field; its pixels are those nearer than 80 units in the scene's depth.
TEST_F(RealWorld, TheLowDetailStandInIsAsLargeAsItsRock) {
    SceneObject& rock = *world.asteroids[0];
    place(rock, {0.0f, 700.0f, 0.0f}, rock.orientation);
    const glm::vec3 centre = worldCenter(rock);
    world.settings.parameters.fieldOfView = 30.0f;  // about four times the rock's pixels at the default
    double pixels[2] = {0.0, 0.0};                 // the rock itself, its stand-in
    std::vector<float> depths(800 * 600);
    for (int i = 0; i < 12; ++i) {
        const float y = 1.0f - (2.0f * i + 1.0f) / 12.0f, ring = std::sqrt(1.0f - y * y);  // Fibonacci points
        aimAt(centre + glm::vec3(ring * std::cos(2.4f * i), y, ring * std::sin(2.4f * i)) * 75.0f, centre);
        const glm::vec4 near = world.camera->projection * glm::vec4(0.0f, 0.0f, -80.0f, 1.0f);
        for (int low = 0; low < 2; ++low) {
            world.settings.parameters.lodDistance = low ? 1.0f : 1e6f;
            renderFrame();
            glBindFramebuffer(GL_READ_FRAMEBUFFER, RealWorld::context.renderer.picture.hdrFramebuffer);
            glReadPixels(0, 0, 800, 600, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            pixels[low] += std::count_if(depths.begin(), depths.end(), [&](float d) { return d < near.z / near.w * 0.5f + 0.5f; });
        }
    }
    EXPECT_NEAR(pixels[1] / pixels[0], 1.0, 0.1) << "rock " << pixels[0] / 12 << " px, stand-in " << pixels[1] / 12 << " px";
}
}  // namespace
