// The generated art in Models/ (beside the game, the test's working directory) as the game's own
// loaders read it: bounds, axes, winding, textures, and the sky's seams after upload.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "assets/texture.h"
#include "game/world.h"
#include "tests/support/gl_context.h"

namespace {
const std::array<std::string, 5> modelNames = {"scythe2", "shipmesh", "sphere", "planet", "asteroid"};

// A model loaded by the game with its staged vertices (position, uv, normal per vertex).
struct Loaded {
    std::unique_ptr<Model> model;
    std::vector<glm::vec3> positions, normals;
    float radius() const { return glm::distance(model->farthestVertex, model->center); }
    const Texture& texture() const { return world.textureList.at(static_cast<size_t>(model->meshTexture.at(0))); }
};

struct Box {
    glm::vec3 low{1e9f}, high{-1e9f};
    void add(glm::vec3 p) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    glm::vec3 size() const { return high - low; }
};

class GeneratedArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        sharedGlContext();
        world = World{};
        for (const std::string& name : modelNames) {
            Loaded& loaded = models[name];
            loaded.model = std::make_unique<Model>(glm::mat4(1.0f));
            if (!loaded.model->load(("Models/" + name + ".dae").c_str())) continue;
            const std::vector<float>& data = world.sharedVertices.data;
            const Model& m = *loaded.model;
            for (int v = m.meshFirstVertex.front(); v < m.meshFirstVertex.back() + m.meshVertexCount.back(); ++v) {
                loaded.positions.emplace_back(data[8 * v], data[8 * v + 1], data[8 * v + 2]);
                loaded.normals.emplace_back(data[8 * v + 5], data[8 * v + 6], data[8 * v + 7]);
            }
        }
    }
    static std::map<std::string, Loaded> models;
};
std::map<std::string, Loaded> GeneratedArt::models;
}  // namespace

TEST_F(GeneratedArt, ModelsLoadAsWholeTrianglesWithinBudgetAndOwnTextures) {
    std::set<std::string> paths;
    for (const std::string& name : modelNames) {
        const Loaded& loaded = models[name];
        ASSERT_TRUE(loaded.model->hasGeometry) << name;
        EXPECT_EQ(loaded.positions.size() % 3, 0u) << name;
        EXPECT_GT(loaded.positions.size(), 300u) << name;
        EXPECT_LE(loaded.positions.size(), 3u * 4000) << name << ": the shadow pass draws every caster six times";
        const Texture& texture = loaded.texture();
        EXPECT_EQ(texture.path.rfind("Models/", 0), 0u) << name << ": texture read from " << texture.path;
        EXPECT_EQ(texture.bitsPerPixel, 24) << name;
        paths.insert(texture.path);
    }
    EXPECT_EQ(paths.size(), 5u) << "each model names a texture of its own";
    EXPECT_GE(models["planet"].texture().width, 1024) << "detailed enough to show filtering";
    EXPECT_GE(models["planet"].texture().height, 512);
}

// Triangles wind counter-clockwise seen from outside (a positive enclosed volume) with unit
// normals on the same side, so back-face culling and lighting agree.
TEST_F(GeneratedArt, FacesWindOutwardWithMatchingNormals) {
    for (const std::string& name : modelNames) {
        const Loaded& g = models[name];
        double volume = 0.0;
        size_t disagreeing = 0;
        for (size_t t = 0; t + 2 < g.positions.size(); t += 3) {
            const glm::dvec3 a(g.positions[t]), b(g.positions[t + 1]), c(g.positions[t + 2]);
            volume += glm::dot(a, glm::cross(b, c)) / 6.0;
            const glm::dvec3 normals(g.normals[t] + g.normals[t + 1] + g.normals[t + 2]);
            disagreeing += glm::dot(glm::cross(b - a, c - a), normals) <= 0.0;
        }
        EXPECT_GT(volume, 0.0) << name;
        EXPECT_EQ(disagreeing, 0u) << name;
        for (const glm::vec3& n : g.normals) ASSERT_NEAR(glm::length(n), 1.0f, 1e-3f) << name;
    }
}

TEST_F(GeneratedArt, RoundBodiesAreCentredWithUnitRadius) {
    for (const std::string name : {"sphere", "planet", "asteroid"}) {
        EXPECT_LT(glm::length(models[name].model->center), 0.05f) << name;
        EXPECT_NEAR(models[name].radius(), 1.0f, 0.05f) << name;
    }
    float nearest = 1e9f;
    const Loaded& rock = models["asteroid"];
    for (const glm::vec3& p : rock.positions) nearest = std::min(nearest, glm::distance(p, rock.model->center));
    EXPECT_LT(nearest, 0.75f) << "a rock this round would look like the sphere standing in for it";
}

// Ships are about one unit long, nose toward +X, wings along Y, superstructure on top (+Z).
TEST_F(GeneratedArt, ShipsFollowTheAxisAndSizeConventions) {
    for (const std::string name : {"scythe2", "shipmesh"}) {
        const Loaded& g = models[name];
        EXPECT_GT(g.radius(), 0.4f) << name;
        EXPECT_LT(g.radius(), 0.75f) << name;
        EXPECT_LT(glm::length(g.model->center), 0.15f) << name;
        Box box;
        for (const glm::vec3& p : g.positions) box.add(p);
        const glm::vec3 size = box.size();
        EXPECT_NEAR(size.x, 1.0f, 0.1f) << name;
        EXPECT_GT(size.x, size.y) << name;
        EXPECT_GT(size.y, 2.0f * size.z) << name;
        EXPECT_NEAR(box.high.y, -box.low.y, 0.01f) << name << " is mirror-symmetric across XZ";
        EXPECT_GT(box.high.z - g.model->center.z, g.model->center.z - box.low.z) << name;
        // The nose end (a tenth of the length) has the smaller cross-section.
        Box nose, tail;
        for (const glm::vec3& p : g.positions) {
            if (p.x > box.high.x - 0.1f * size.x) nose.add(p);
            if (p.x < box.low.x + 0.1f * size.x) tail.add(p);
        }
        EXPECT_LT(nose.size().y * nose.size().z, tail.size().y * tail.size().z) << name;
    }
}

// After the game's own upload, both faces meeting along each of the cube's twelve edges show the
// same colour there (OpenGL's face selection, nearest texel).
TEST(GeneratedSky, NeighbouringFacesAgreeAlongEverySharedEdge) {
    sharedGlContext();
    world = World{};
    ShaderProgram program("Shader/SkyboxShader.vert", "Shader/SkyboxShader.frag");
    std::vector<std::string> paths;
    for (const char* face : {"right", "left", "down", "up", "back", "front"}) {
        paths.push_back(std::string("Models/Skybox_") + face + ".png");
    }
    setUpSkybox(paths, &program);
    ASSERT_TRUE(world.skyboxReady);
    ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "faces must be square and of one size";
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.skyboxTexture);
    GLint n = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &n);
    ASSERT_GE(n, 256);
    std::array<std::vector<unsigned char>, 6> faces;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    for (int i = 0; i < 6; ++i) {
        faces[i].resize(static_cast<size_t>(n) * n * 3);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0, GL_RGB, GL_UNSIGNED_BYTE, faces[i].data());
    }
    // The texel for direction d on the face of the given major axis.
    const auto sample = [&](int axis, glm::dvec3 d) {
        double sc = 0, tc = 0;
        int face = 0;
        switch (axis) {
        case 0: sc = d.x > 0 ? -d.z : d.z; tc = -d.y; face = d.x > 0 ? 0 : 1; break;
        case 1: sc = d.x; tc = d.y > 0 ? d.z : -d.z; face = d.y > 0 ? 2 : 3; break;
        default: sc = d.z > 0 ? d.x : -d.x; tc = -d.y; face = d.z > 0 ? 4 : 5;
        }
        const double ma = std::abs(d[axis]);
        const int s = std::clamp(static_cast<int>(std::floor((sc / ma + 1.0) / 2.0 * n)), 0, n - 1);
        const int t = std::clamp(static_cast<int>(std::floor((tc / ma + 1.0) / 2.0 * n)), 0, n - 1);
        const unsigned char* p = &faces[face][(static_cast<size_t>(t) * n + s) * 3];
        return glm::ivec3(p[0], p[1], p[2]);
    };
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            for (const double signA : {-1.0, 1.0}) {
                for (const double signB : {-1.0, 1.0}) {
                    int worst = 0;
                    for (int k = 0; k < n; ++k) {
                        glm::dvec3 d;
                        d[a] = signA;
                        d[b] = signB;
                        d[3 - a - b] = (2.0 * k - (n - 1)) / (n - 1);
                        const glm::ivec3 difference = glm::abs(sample(a, d) - sample(b, d));
                        worst = std::max({worst, difference.r, difference.g, difference.b});
                    }
                    EXPECT_LE(worst, 1) << "seam where axis " << a << " = " << signA << " meets axis " << b
                                        << " = " << signB;
                }
            }
        }
    }
}
