// The guided views in the real world: each of its settings changes the picture, the shadows' slab
// shows acne, a detached shadow and a wide penumbra, the culling view marks what is culled only.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "game/guided_views.h"
#include "game/settings.h"
#include "game/world.h"
#include "tests/support/gl_context.h"
#include "tests/support/real_world.h"
#include "tools/bench/scenarios.h"
#include "view/bounds.h"
#include "view/frustum.h"

namespace {
FrameContext context;

struct GuidedViews : ::testing::Test {
    static void SetUpTestSuite() { setUpRealWorld(context); }
    void SetUp() override { startScenario(scenarios[0]); }
    void TearDown() override {
        leaveGuidedView();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

// The window's pixels in the named guided view with the settings given as --set writes them.
std::vector<unsigned char> guidedPicture(const char* view, std::vector<std::string> settings = {}) {
    leaveGuidedView();
    startScenario(scenarios[0]);
    for (const std::string& setting : settings) {
        std::string reason;
        EXPECT_TRUE(applySettingText(world.settings, setting, reason)) << reason;
    }
    std::ostringstream out;
    showGuidedView(*findGuidedView(view), out);
    EXPECT_EQ(out.str(), std::string("Showing technique: ") + view + "\n");
    drawFrame(context, 0.0f, nullptr);
    glFinish();
    return readPixels(0, 0, world.frameWidth, world.frameHeight);
}

glm::ivec2 pixelOf(const Camera& camera, glm::vec3 point) {
    const glm::vec4 clip = camera.viewProjection * glm::vec4(point, 1.0f);
    return glm::ivec2((glm::vec2(clip) / clip.w * 0.5f + 0.5f) * glm::vec2(world.frameWidth, world.frameHeight));
}
const unsigned char* pixelAt(const std::vector<unsigned char>& pixels, glm::ivec2 at) {
    return &pixels[(static_cast<size_t>(at.y) * world.frameWidth + at.x) * 4];
}
int brightness(const std::vector<unsigned char>& pixels, glm::ivec2 at) {
    const unsigned char* pixel = pixelAt(pixels, at);
    return pixel[0] + pixel[1] + pixel[2];
}

// Brightness along the slab from `from` to `to` (offsets from the post's base), one sample a pixel.
std::vector<int> alongSlab(const std::vector<unsigned char>& pixels, glm::vec3 from, glm::vec3 to) {
    const glm::ivec2 start = pixelOf(*world.camera, world.postBase + from);
    const glm::ivec2 end = pixelOf(*world.camera, world.postBase + to);
    const int steps = std::max(std::abs(end.x - start.x), std::abs(end.y - start.y));
    std::vector<int> line;
    for (int i = 0; i <= steps; ++i) {
        const glm::vec2 at = glm::mix(glm::vec2(start), glm::vec2(end), static_cast<float>(i) / steps);
        line.push_back(brightness(pixels, glm::ivec2(glm::round(at))));
    }
    return line;
}
}  // namespace

// From one end of each setting's range to the other, at least 1 % of the window (4,800 pixels)
// changes by more than 30 in the sum of its channels; the view's lines stay the same. The blur
// passes' parameters act with the classic method (the default), the chain's with the chain; the
// method itself is not here, since the chain's defaults are chosen to look like the classic blur.
struct GuidedSetting {
    const char* view;
    std::vector<std::string> ends[2];  // the settings at either end, as --set writes them
};
const GuidedSetting guidedSettings[] = {
    {"tone_map", {{"exposure=0.1"}, {"exposure=5"}}},
    {"bloom", {{"bloom=0"}, {"bloom=1"}}},
    {"bloom", {{"blur_passes=0"}, {"blur_passes=24"}}},
    {"bloom", {{"blur_spread=0.5"}, {"blur_spread=10"}}},
    {"bloom", {{"light_emission=0"}, {"light_emission=8"}}},
    {"bloom", {{"bloom_method=1", "bloom_levels=3"}, {"bloom_method=1", "bloom_levels=8"}}},
    {"bloom", {{"bloom_method=1", "bloom_radius=0.5"}, {"bloom_method=1", "bloom_radius=3"}}},
    {"bloom", {{"bloom_method=1", "bloom_strength=0"}, {"bloom_method=1", "bloom_strength=2"}}},
    {"shadows", {{"shadows=0"}, {"shadows=1"}}},
    {"shadows", {{"shadow_softness=0"}, {"shadow_softness=4"}}},
    {"shadows", {{"shadow_bias=0"}, {"shadow_bias=4"}}},
    {"shadows", {{"shadow_map_sky=0"}, {"shadow_map_sky=1"}}},
    {"level_of_detail", {{"lod_always_lowest=0"}, {"lod_always_lowest=1"}}},
    {"level_of_detail", {{"lod_distance=10"}, {"lod_distance=300"}}},
    {"culling", {{"frustum_culling=0"}, {"frustum_culling=1"}}},
    {"culling", {{"field_of_view=30"}, {"field_of_view=110"}}},
    {"translucency", {{"transparency=0"}, {"transparency=1"}}},
    {"translucency", {{"orbit_opacity=0.05"}, {"orbit_opacity=1"}}},
    {"wireframe", {{"wireframe=0"}, {"wireframe=1"}}},
    {"texture_filtering", {{"texture_linear=0"}, {"texture_linear=1"}}},
    {"texture_filtering", {{"mipmaps=0"}, {"mipmaps=2"}}},
    {"anti_aliasing", {{"fxaa=0"}, {"fxaa=1"}}},
    {"anti_aliasing", {{"fxaa=1", "fxaa_edge_threshold=0.063"}, {"fxaa=1", "fxaa_edge_threshold=0.333"}}},
    {"anti_aliasing", {{"fxaa=1", "fxaa_subpixel=0"}, {"fxaa=1", "fxaa_subpixel=1"}}},
};

TEST_F(GuidedViews, EachShowsEveryOneOfItsSettings) {
    for (const GuidedSetting& row : guidedSettings) {
        SCOPED_TRACE(std::string(row.view) + " " + row.ends[1].back());
        const std::vector<unsigned char> before = guidedPicture(row.view, row.ends[0]);
        const GuidedView* shown = guided.shown;  // its lines are the view's own, whatever the settings
        const std::vector<unsigned char> after = guidedPicture(row.view, row.ends[1]);
        EXPECT_EQ(shown, guided.shown);
        int changed = 0;
        for (size_t i = 0; i < before.size(); i += 4) {
            changed += std::abs(before[i] + before[i + 1] + before[i + 2] - after[i] - after[i + 1] - after[i + 2]) > 30;
        }
        EXPECT_GE(changed, 4800);
    }
}

// The slab's lines, as offsets from the post's base: the lit slab near the light's foot, from the
// post's base away from the light, and across its shadow.
const glm::vec3 nearTheLight[2] = {{-15.0f, 0.0f, 3.0f}, {-6.0f, 0.0f, 3.0f}};
const glm::vec3 fromTheBase[2] = {{0.0f, 0.0f, 0.0f}, {3.0f, 0.0f, 0.0f}};
const glm::vec3 acrossTheShadow[2] = {{4.0f, 0.0f, -1.5f}, {4.0f, 0.0f, 1.5f}};

std::vector<int> slabLine(const std::string& setting, const glm::vec3 (&line)[2]) {
    return alongSlab(guidedPicture("shadows", {setting}), line[0], line[1]);
}
double mean(const std::vector<int>& line) { return std::accumulate(line.begin(), line.end(), 0.0) / line.size(); }
// The mean brightness change from one pixel to the next.
double roughness(const std::vector<int>& line) {
    double sum = 0.0;
    for (size_t i = 1; i < line.size(); ++i) sum += std::abs(line[i] - line[i - 1]);
    return sum / (line.size() - 1);
}

TEST_F(GuidedViews, TheSlabShowsAcneADetachedShadowAndAWidePenumbra) {
    // Without bias the lit slab shadows itself: darker and mottled.
    const std::vector<int> acne = slabLine("shadow_bias=0", nearTheLight);
    const std::vector<int> clean = slabLine("shadow_bias=0.5", nearTheLight);
    EXPECT_LT(mean(acne), 0.85 * mean(clean));
    EXPECT_GT(roughness(acne), 2.5 * roughness(clean));

    // From the post's base: in shadow at once by default; a lit gap before it at the top of the range.
    const auto litRun = [](const std::vector<int>& line) {
        int run = 0, longest = 0;
        for (int value : line) longest = std::max(longest, run = value > 300 ? run + 1 : 0);
        return longest;
    };
    const std::vector<int> attached = slabLine("shadow_bias=0.5", fromTheBase);
    const std::vector<int> detached = slabLine("shadow_bias=4", fromTheBase);
    EXPECT_EQ(litRun(attached), 0);
    EXPECT_GE(litRun(detached), 8);
    EXPECT_LT(detached.back(), 150);  // the shadow goes on beyond the gap

    // Across the shadow: the penumbra (between a tenth and nine tenths of the way from shadow to
    // lit) is at least twice as wide at softness 4, and brightens steadily across it.
    const auto penumbra = [](const std::vector<int>& line) {
        const auto darkest = std::min_element(line.begin(), line.end());
        const int low = *darkest, high = line.back();
        std::vector<int> rising;
        for (auto at = darkest; at != line.end(); ++at) {
            if (*at > low + (high - low) / 10 && *at < high - (high - low) / 10) rising.push_back(*at);
        }
        return rising;
    };
    const std::vector<int> narrow = penumbra(slabLine("shadow_softness=1", acrossTheShadow));
    const std::vector<int> wide = penumbra(slabLine("shadow_softness=4", acrossTheShadow));
    EXPECT_GE(wide.size(), 2 * narrow.size());
    EXPECT_GE(narrow.size(), 1u);
    for (size_t i = 1; i < wide.size(); ++i) EXPECT_GE(wide[i], wide[i - 1] - 3) << i;
}

// How much a pixel leans to the marks' magenta.
int magenta(const unsigned char* pixel) { return pixel[0] + pixel[2] - 2 * pixel[1]; }

TEST_F(GuidedViews, CullingMarksWhatIsCulledOnly) {
    const std::vector<unsigned char> culled = guidedPicture("culling");
    const Camera& player = *world.camera;
    const Camera& outside = *guided.outside;
    const auto onScreen = [](glm::ivec2 at) { return at.x >= 0 && at.y >= 0 && at.x < 800 && at.y < 600; };
    int culledPlanets = 0, insideObjects = 0;
    for (size_t i = 1; i <= 3; ++i) {  // the planets
        const SceneObject& planet = *world.shadowCasters[i];
        // The point of its surface nearest the outside camera.
        const glm::vec3 centre = worldCenter(planet);
        const glm::ivec2 at =
            pixelOf(outside, centre + 0.9f * worldRadius(planet) * glm::normalize(outside.position - centre));
        if (isInFrustum(player.frustum, planet) || !onScreen(at)) continue;
        culledPlanets += 1;
        EXPECT_GT(magenta(pixelAt(culled, at)), 120);
    }
    EXPECT_GE(culledPlanets, 1);
    for (const SceneObject* rock : world.asteroids) {
        const glm::ivec2 at = pixelOf(outside, worldCenter(*rock));
        if (!isInFrustum(player.frustum, *rock) || !onScreen(at)) continue;
        insideObjects += 1;
        EXPECT_LT(magenta(pixelAt(culled, at)), 60);
    }
    EXPECT_GE(insideObjects, 1);
    // With culling off nothing is marked, where with it on a planet is.
    const std::vector<unsigned char> shown = guidedPicture("culling", {"frustum_culling=0"});
    int marked = 0;
    for (size_t i = 0; i < shown.size(); i += 4) marked += magenta(&shown[i]) > 150;
    EXPECT_LT(marked, 50);  // a few purple stars
}

// The level of detail's view marks the rocks drawn low in magenta: the near rock, at the centre.
TEST_F(GuidedViews, LevelOfDetailMarksTheRocksDrawnLow) {
    EXPECT_GT(magenta(pixelAt(guidedPicture("level_of_detail", {"lod_always_lowest=1"}), {400, 300})), 150);
    EXPECT_LT(magenta(pixelAt(guidedPicture("level_of_detail", {"lod_always_lowest=0"}), {400, 300})), 40);
}
