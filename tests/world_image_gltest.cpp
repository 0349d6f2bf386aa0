// The real world from setUpWorld, rendered by llvmpipe from fixed views and compared with golden
// images, one per view. After an intended change of the art or the shaders, refresh them with
//   QUORLAX_UPDATE_GOLDEN=1 ctest -R world_image_gltest
// (run from the build directory), look at tests/golden/*.png and commit them.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "game/setup.h"
#include "render/scene.h"
#include "tests/support/asset_files.h"
#include "tests/support/render_rig.h"

namespace {
constexpr int goldenWidth = 200;  // the window downscaled 4 x 4
constexpr int goldenHeight = 150;
constexpr int pixelTolerance = 40;  // per channel, per downscaled pixel
constexpr double meanTolerance = 1.5;

struct RealWorld {
    ShadowMap shadowMap;
    unsigned hdrFramebuffer = 0;
};

// Sets the world up once per process; it stays reachable through `world` for the whole run.
RealWorld& realWorld() {
    static RealWorld real = [] {
        GLFWwindow* window = sharedGlContext();
        world = World{};
        glEnable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        RealWorld made;
        createShadowMap(made.shadowMap);
        setUpWorld(window);
        createBloomProgram();
        made.hdrFramebuffer = createHdrFramebuffer();
        createBlurTargets();
        updateOrbitSphere(0.0f);
        return made;
    }();
    return real;
}

// The window averaged over 4 x 4 blocks, in FreeImage's layout: blue, green, red, bottom row first.
std::vector<unsigned char> downscaledWindow() {
    const std::vector<unsigned char> rgba = readPixels(0, 0, 800, 600);
    std::vector<unsigned char> small(goldenWidth * goldenHeight * 3);
    for (int y = 0; y < goldenHeight; ++y) {
        for (int x = 0; x < goldenWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int d = 0; d < 16; ++d) sum += rgba[((4 * y + d / 4) * 800 + 4 * x + d % 4) * 4 + c];
                small[(y * goldenWidth + x) * 3 + 2 - c] = static_cast<unsigned char>((sum + 8) / 16);
            }
        }
    }
    return small;
}

std::string goldenPath(const std::string& view) { return directoryOf(__FILE__) + "golden/" + view + ".png"; }
constexpr unsigned masks[3] = {FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK};

void writeGolden(std::vector<unsigned char> pixels, const std::string& goldenPath) {
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(pixels.data(), goldenWidth, goldenHeight, goldenWidth * 3, 24,
                                                    masks[0], masks[1], masks[2], FALSE);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, goldenPath.c_str(), PNG_Z_BEST_COMPRESSION));
    FreeImage_Unload(bitmap);
}

// The golden image in the same layout; empty when it cannot be read or has another size.
std::vector<unsigned char> readGolden(const std::string& goldenPath) {
    FIBITMAP* loaded = FreeImage_Load(FIF_PNG, goldenPath.c_str(), 0);
    if (!loaded) return {};
    FIBITMAP* bitmap = FreeImage_ConvertTo24Bits(loaded);
    FreeImage_Unload(loaded);
    std::vector<unsigned char> pixels;
    if (FreeImage_GetWidth(bitmap) == goldenWidth && FreeImage_GetHeight(bitmap) == goldenHeight) {
        pixels.resize(goldenWidth * goldenHeight * 3);
        FreeImage_ConvertToRawBits(pixels.data(), bitmap, goldenWidth * 3, 24, masks[0], masks[1], masks[2], FALSE);
    }
    FreeImage_Unload(bitmap);
    return pixels;
}

// The distance the shadow map holds in a direction from the light (nearest texel).
float storedDistance(glm::vec3 direction) {
    const glm::vec3 a = glm::abs(direction);
    const int face = a.x >= a.y && a.x >= a.z ? (direction.x > 0 ? 0 : 1)
             : a.y >= a.z             ? (direction.y > 0 ? 2 : 3)
                                      : (direction.z > 0 ? 4 : 5);
    // OpenGL's cube face table: major axis and the directions of s and t.
    const glm::vec3 s[6] = {{0, 0, -1}, {0, 0, 1}, {1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {-1, 0, 0}};
    const glm::vec3 t[6] = {{0, -1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {0, -1, 0}, {0, -1, 0}};
    const float major = std::max(a.x, std::max(a.y, a.z));
    const auto texel = [&](glm::vec3 axis) { return int((glm::dot(direction, axis) / major + 1) * 511.5f + 0.5f); };
    const int column = texel(s[face]), row = texel(t[face]);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    std::vector<float> depths(1024 * 1024);
    glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
    return depths[static_cast<size_t>(row) * 1024 + column] * shadowFarPlane;
}
}  // namespace

// Neither the light's sphere around the light nor the orbiting sphere reaches the shadow map.
TEST(RealWorld, SpheresCastNoShadow) {
    RealWorld& real = realWorld();
    renderShadowPass(real.shadowMap.framebuffer);
    const glm::vec3 light = world.light.position;
    const glm::vec3 orbit = glm::vec3(world.orbitSphere->transform[3]);
    EXPECT_GT(storedDistance(orbit - light), glm::length(orbit - light) + 0.5f);
    for (glm::vec3 direction : {glm::vec3(1, 0.2f, 0.1f), glm::vec3(-0.3f, 1, 0.2f), glm::vec3(0.1f, -0.2f, -1)}) {
        EXPECT_GT(storedDistance(direction), 6.0f) << "the light's sphere is in the map";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

namespace {
// A depth program whose geometry stage sends every triangle to all six faces, skipping none.
ShaderProgram* everyFaceDepthProgram() {
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
    auto* program = new ShaderProgram("Shader/DepthShader.vert", "Shader/DepthShader.frag", dir + "every_face.geom");
    std::filesystem::remove_all(dir);
    return program;
}

// The six faces of the depth cube map, one after the other.
std::vector<float> depthCube() {
    std::vector<float> depths(6 * 1024 * 1024);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    for (int face = 0; face < 6; ++face) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, &depths[face * 1024 * 1024]);
    }
    return depths;
}

}  // namespace

// Skipping the faces a triangle cannot reach must not lose a single covered texel.
TEST(RealWorld, ShadowCubeHoldsEveryTriangleOnEveryFaceItCovers) {
    RealWorld& real = realWorld();
    renderShadowPass(real.shadowMap.framebuffer);
    const std::vector<float> shipped = depthCube();
    ShaderProgram* const shippedProgram = world.depthProgram;
    const std::unique_ptr<ShaderProgram> reference(everyFaceDepthProgram());
    world.depthProgram = reference.get();
    renderShadowPass(real.shadowMap.framebuffer);
    world.depthProgram = shippedProgram;
    const std::vector<float> expected = depthCube();
    for (int face = 0; face < 6; ++face) {
        int covered = 0, missing = 0;
        for (size_t i = face * 1024 * 1024; i < (face + 1) * 1024 * 1024u; ++i) {
            covered += expected[i] < 1.0f;
            missing += shipped[i] != expected[i];
        }
        EXPECT_GT(covered, 0) << "face " << face;
        EXPECT_EQ(missing, 0) << "face " << face << " of " << covered << " covered texels";
    }
}

namespace {
void aimAt(glm::vec3 eye, glm::vec3 target) { aimCamera(*world.camera, eye, target); }

// The centre of the first asteroid that lies over 90 units from the light.
glm::vec3 distantAsteroid() {
    for (const SceneObject* asteroid : world.asteroids) {
        const glm::vec3 position(asteroid->transform[3]);
        if (glm::distance(position, world.light.position) > 90.0f) return position;
    }
    return glm::vec3(0.0f);
}

// Looks at that asteroid from the light's side, from the given distance.
void aimAtAsteroidFrom(float distance) {
    const glm::vec3 rock = distantAsteroid();
    aimAt(rock + glm::normalize(world.light.position - rock) * distance, rock);
}

// The translucent orbiting sphere from 6 units, a planet behind it.
void aimAtOrbitSphere() {
    const glm::vec3 orbit(world.orbitSphere->transform[3]);
    aimAt(orbit + glm::normalize(orbit - glm::vec3(-120.0f, 50.0f, -50.0f)) * 6.0f, orbit);
}

// Standard deviation of the window's luma inside the central circle of the given radius.
double centralLumaSpread(int radius) {
    const std::vector<unsigned char> rgba = readPixels(400 - radius, 300 - radius, 2 * radius, 2 * radius);
    double sum = 0.0, squares = 0.0;
    int count = 0;
    for (int y = 0; y < 2 * radius; ++y) {
        for (int x = 0; x < 2 * radius; ++x) {
            if ((x - radius) * (x - radius) + (y - radius) * (y - radius) > radius * radius) continue;
            const unsigned char* p = &rgba[(y * 2 * radius + x) * 4];
            const double luma = (0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2]) / 255.0;
            sum += luma;
            squares += luma * luma;
            ++count;
        }
    }
    const double mean = sum / count;
    return std::sqrt(squares / count - mean * mean);
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
    // Just inside and just outside the level-of-detail distance.
    {"asteroid_near", [] { aimAtAsteroidFrom(74.5f); }},
    {"asteroid_far", [] { aimAtAsteroidFrom(75.5f); }},
    {"shadow_map_sky",
     [] {
         world.settings.showShadowCubeMap = true;
         aimAt({-70.0f, 30.0f, 95.0f}, {20.0f, 20.0f, 10.0f});
     }},
    {"wireframe",
     [] {
         world.settings.wireframe = true;
         setWireframe(true);
         aimAt({40.0f, 20.0f, 160.0f}, {120.0f, 50.0f, 50.0f});
     }},
};

}  // namespace

// Through the translucent sphere the planet's pattern keeps at least a third of its spread.
TEST(RealWorld, PlanetShowsThroughTheOrbitingSphere) {
    RealWorld& real = realWorld();
    aimAtOrbitSphere();
    const auto spread = [&] {
        renderFrame(real.shadowMap.framebuffer, real.hdrFramebuffer);
        return centralLumaSpread(70);  // inside the sphere's outline, about 86 pixels in radius
    };
    const double throughSphere = spread();
    const std::vector<SceneObject*> all = world.allObjects;
    world.allObjects.erase(std::find(world.allObjects.begin(), world.allObjects.end(), world.orbitSphere));
    const double planetOnly = spread();
    world.allObjects = all;
    EXPECT_GE(3.0 * throughSphere, planetOnly);
}

TEST(RealWorld, ViewsLookLikeTheirGoldenImages) {
    RealWorld& real = realWorld();
    const char* update = std::getenv("QUORLAX_UPDATE_GOLDEN");
    for (const GoldenView& view : goldenViews) {
        SCOPED_TRACE(view.name);
        view.pose();
        renderFrame(real.shadowMap.framebuffer, real.hdrFramebuffer);
        world.settings = RenderSettings{};
        setWireframe(false);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        const std::vector<unsigned char> image = downscaledWindow();
        const std::string path = goldenPath(view.name);
        if (update && std::string(update) == "1") {
            writeGolden(image, path);
            continue;
        }
        const std::vector<unsigned char> golden = readGolden(path);
        ASSERT_EQ(golden.size(), image.size()) << path << " missing or of another size";
        long total = 0;
        int worst = 0;
        int overTolerance = 0;
        for (size_t i = 0; i < image.size(); ++i) {
            const int difference = std::abs(image[i] - golden[i]);
            total += difference;
            worst = std::max(worst, difference);
            overTolerance += difference > pixelTolerance;
        }
        EXPECT_EQ(overTolerance, 0) << "worst channel difference " << worst;
        EXPECT_LE(static_cast<double>(total) / image.size(), meanTolerance);
    }
    if (update && std::string(update) == "1") GTEST_SKIP() << "golden images rewritten";
}
