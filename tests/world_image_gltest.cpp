// The real world from setUpWorld, rendered by llvmpipe and compared with a golden image.
// After an intended change of the art or the shaders, refresh the image with
//   QUORLAX_UPDATE_GOLDEN=1 ctest -R world_image_gltest
// (run from the build directory), look at tests/golden/world.png and commit it.
#include <gtest/gtest.h>

#include <FreeImage.h>

#include <cstdlib>

#include "game/setup.h"
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

const std::string goldenPath = directoryOf(__FILE__) + "golden/world.png";
constexpr unsigned masks[3] = {FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK};

void writeGolden(std::vector<unsigned char> pixels) {
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(pixels.data(), goldenWidth, goldenHeight, goldenWidth * 3, 24,
                                                    masks[0], masks[1], masks[2], FALSE);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, bitmap, goldenPath.c_str(), PNG_Z_BEST_COMPRESSION));
    FreeImage_Unload(bitmap);
}

// The golden image in the same layout; empty when it cannot be read or has another size.
std::vector<unsigned char> readGolden() {
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

TEST(RealWorld, LooksLikeTheGoldenImage) {
    RealWorld& real = realWorld();
    aimCamera(*world.camera, {-70.0f, 30.0f, 95.0f}, {20.0f, 20.0f, 10.0f});
    renderFrame(real.shadowMap.framebuffer, real.hdrFramebuffer);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    const std::vector<unsigned char> image = downscaledWindow();
    const char* update = std::getenv("QUORLAX_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        writeGolden(image);
        GTEST_SKIP() << "golden image rewritten: " << goldenPath;
    }
    const std::vector<unsigned char> golden = readGolden();
    ASSERT_EQ(golden.size(), image.size()) << goldenPath << " missing or of another size";
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
