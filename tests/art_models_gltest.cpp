// The generated models in Models/ (beside the game, the test's working directory) as the game's
// own loader reads them: bounds, mesh ranges and textures.

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>
#include <string>

#include "assets/model.h"
#include "game/world.h"
#include "tests/support/gl_context.h"

namespace {

struct Loaded {
    Model model{glm::mat4(1.0f)};
    bool ok = false;
    float radius() const { return glm::distance(model.farthestVertex, model.center); }
};

Loaded loadModel(const std::string& name) {
    sharedGlContext();
    Loaded loaded;
    loaded.ok = loaded.model.load(("Models/" + name + ".dae").c_str());
    return loaded;
}

const Texture& onlyTexture(const Model& model) {
    return world.textureList.at(static_cast<size_t>(model.meshTexture.at(0)));
}

TEST(GeneratedModelsThroughTheLoader, RoundBodiesAreCentredWithTheRadiusTheirScalesAssume) {
    for (const std::string name : {"sphere", "planet", "asteroid"}) {
        const Loaded loaded = loadModel(name);
        ASSERT_TRUE(loaded.ok) << name;
        EXPECT_LT(glm::length(loaded.model.center), 0.05f) << name;
        EXPECT_NEAR(loaded.radius(), 1.0f, 0.05f) << name;
    }
}

TEST(GeneratedModelsThroughTheLoader, ShipsAreAboutOneUnitLongAndBuiltAroundTheirOrigin) {
    for (const std::string name : {"scythe2", "shipmesh"}) {
        const Loaded loaded = loadModel(name);
        ASSERT_TRUE(loaded.ok) << name;
        EXPECT_GT(loaded.radius(), 0.4f) << name;
        EXPECT_LT(loaded.radius(), 0.75f) << name;
        EXPECT_LT(glm::length(loaded.model.center), 0.15f) << name << " is built around its origin";
    }
}

TEST(GeneratedModelsThroughTheLoader, MeshesAreWholeTrianglesWithinBudgetAndOwnTextures) {
    std::set<std::string> paths;
    for (const std::string name : {"scythe2", "shipmesh", "sphere", "planet", "asteroid"}) {
        const Loaded loaded = loadModel(name);
        ASSERT_TRUE(loaded.ok) << name;
        const std::vector<int32_t>& counts = loaded.model.meshVertexCount;
        ASSERT_FALSE(counts.empty()) << name;
        const int vertices = std::accumulate(counts.begin(), counts.end(), 0);
        EXPECT_EQ(vertices % 3, 0) << name;
        EXPECT_LE(vertices, 3 * 4000) << name << ": the shadow pass draws every caster six times";
        const Texture& texture = onlyTexture(loaded.model);
        EXPECT_EQ(texture.path.rfind("Models/", 0), 0u) << name << ": texture read from " << texture.path;
        EXPECT_EQ(texture.bitsPerPixel, 24) << name;
        EXPECT_GT(texture.width, 0) << name;
        paths.insert(texture.path);
    }
    EXPECT_EQ(paths.size(), 5u) << "each model names a texture of its own";
}

TEST(GeneratedModelsThroughTheLoader, PlanetTextureIsDetailedEnoughToShowFiltering) {
    const Loaded planet = loadModel("planet");
    ASSERT_TRUE(planet.ok);
    const Texture& texture = onlyTexture(planet.model);
    EXPECT_GE(texture.width, 1024);
    EXPECT_GE(texture.height, 512);
}

}  // namespace
