// The generated models and textures, read back the way the game reads them (Assimp with the
// loader's flags, FreeImage), checked against the sizes and axes the game's world relies on.

#include <FreeImage.h>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "tests/support/generated_art.h"

namespace fs = std::filesystem;

namespace {

constexpr unsigned kLoaderFlags =
    aiProcess_CalcTangentSpace | aiProcess_JoinIdenticalVertices | aiProcess_Triangulate | aiProcess_SortByPType;

const std::array<std::string, 5> kModels = {"scythe2", "shipmesh", "sphere", "planet", "asteroid"};
const std::array<std::string, 6> kSkyFaces = {"right", "left", "down", "up", "back", "front"};

// Every vertex array entry and every triangle of all meshes, as the loader sees them.
struct Geometry {
    std::vector<glm::vec3> vertices;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    std::vector<std::array<unsigned, 3>> triangles;  // into the arrays above
    std::vector<std::string> textures;               // diffuse texture names, per material
};

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

glm::vec3 toGlm(const aiVector3D& v) {
    return {v.x, v.y, v.z};
}

Geometry readGeometry(const fs::path& path) {
    Geometry geometry;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path.string(), kLoaderFlags);
    EXPECT_NE(scene, nullptr) << path << ": " << importer.GetErrorString();
    if (!scene) return geometry;
    for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
        const aiMesh* mesh = scene->mMeshes[m];
        EXPECT_TRUE(mesh->HasNormals()) << path;
        EXPECT_TRUE(mesh->HasTextureCoords(0)) << path;
        if (!mesh->HasNormals() || !mesh->HasTextureCoords(0)) continue;
        const auto base = static_cast<unsigned>(geometry.vertices.size());
        for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
            geometry.vertices.push_back(toGlm(mesh->mVertices[i]));
            geometry.normals.push_back(toGlm(mesh->mNormals[i]));
            geometry.uvs.emplace_back(mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y);
        }
        for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
            const aiFace& face = mesh->mFaces[f];
            EXPECT_EQ(face.mNumIndices, 3u) << path;
            if (face.mNumIndices == 3)
                geometry.triangles.push_back({base + face.mIndices[0], base + face.mIndices[1], base + face.mIndices[2]});
        }
    }
    for (unsigned m = 0; m < scene->mNumMaterials; ++m) {
        aiString name;
        const bool has = aiGetMaterialTexture(scene->mMaterials[m], aiTextureType_DIFFUSE, 0, &name) == aiReturn_SUCCESS;
        EXPECT_TRUE(has) << path << " material " << m << " names no diffuse texture";
        if (has) geometry.textures.emplace_back(name.C_Str());
    }
    return geometry;
}

glm::vec3 meanOf(const std::vector<glm::vec3>& points) {
    glm::vec3 sum(0.0f);
    for (const glm::vec3& p : points) sum += p;
    return sum / static_cast<float>(points.size());
}

struct Box {
    glm::vec3 low{1e9f}, high{-1e9f};
    void add(glm::vec3 p) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    glm::vec3 size() const { return high - low; }
};

Box boxOf(const std::vector<glm::vec3>& points) {
    Box box;
    for (const glm::vec3& p : points) box.add(p);
    return box;
}

// Cross-section (Y by Z) of the points within a tenth of the length from one end along X.
float endSectionArea(const std::vector<glm::vec3>& points, const Box& whole, bool front) {
    const float cut = 0.1f * whole.size().x;
    Box end;
    for (const glm::vec3& p : points)
        if (front ? p.x > whole.high.x - cut : p.x < whole.low.x + cut) end.add(p);
    return end.size().y * end.size().z;
}

// The top view (X, Y) of the model, a cell of `cells`² covering [-0.6, 0.6]² filled when a
// triangle covers its centre.
std::vector<bool> topSilhouette(const Geometry& g, int cells) {
    std::vector<bool> filled(static_cast<size_t>(cells) * cells, false);
    for (const auto& t : g.triangles) {
        const glm::vec2 a(g.vertices[t[0]]), b(g.vertices[t[1]]), c(g.vertices[t[2]]);
        const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (std::abs(area) < 1e-9f) continue;
        for (int row = 0; row < cells; ++row) {
            for (int column = 0; column < cells; ++column) {
                const glm::vec2 p(-0.6f + 1.2f * (column + 0.5f) / cells, -0.6f + 1.2f * (row + 0.5f) / cells);
                const float w0 = ((b.x - p.x) * (c.y - p.y) - (c.x - p.x) * (b.y - p.y)) / area;
                const float w1 = ((c.x - p.x) * (a.y - p.y) - (a.x - p.x) * (c.y - p.y)) / area;
                if (w0 >= 0 && w1 >= 0 && w0 + w1 <= 1) filled[static_cast<size_t>(row) * cells + column] = true;
            }
        }
    }
    return filled;
}

struct Decoded {
    int width = 0, height = 0, bitsPerPixel = 0;
    double meanLuminance = 0.0, minLuminance = 1.0;
};

Decoded decode(const fs::path& path) {
    Decoded result;
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    FIBITMAP* bitmap = format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, path.c_str(), 0);
    if (!bitmap) return result;
    result.width = static_cast<int>(FreeImage_GetWidth(bitmap));
    result.height = static_cast<int>(FreeImage_GetHeight(bitmap));
    result.bitsPerPixel = static_cast<int>(FreeImage_GetBPP(bitmap));
    if (result.bitsPerPixel == 24) {
        double sum = 0.0;
        for (int y = 0; y < result.height; ++y) {
            const BYTE* row = FreeImage_GetScanLine(bitmap, y);
            for (int x = 0; x < result.width; ++x) {
                const double luminance = (0.11 * row[3 * x] + 0.59 * row[3 * x + 1] + 0.3 * row[3 * x + 2]) / 255.0;
                sum += luminance;
                result.minLuminance = std::min(result.minLuminance, luminance);
            }
        }
        result.meanLuminance = sum / (static_cast<double>(result.width) * result.height);
    }
    FreeImage_Unload(bitmap);
    return result;
}

class GeneratedArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        directory = new std::string(generateArtIntoTempDir());
        for (const std::string& name : kModels)
            geometry[name] = readGeometry(fs::path(*directory) / (name + ".dae"));
    }
    static void TearDownTestSuite() {
        fs::remove_all(*directory);
        delete directory;
        geometry.clear();
    }
    static fs::path file(const std::string& name) { return fs::path(*directory) / name; }

    static std::string* directory;
    static std::map<std::string, Geometry> geometry;
};

std::string* GeneratedArt::directory = nullptr;
std::map<std::string, Geometry> GeneratedArt::geometry;

TEST_F(GeneratedArt, TwoRunsWriteTheSameBytesIntoSmallFolder) {
    const std::string second = generateArtIntoTempDir();
    std::vector<std::string> names;
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(*directory)) {
        const std::string name = entry.path().filename().string();
        names.push_back(name);
        total += entry.file_size();
        EXPECT_TRUE(slurp(entry.path()) == slurp(fs::path(second) / name)) << name << " differs between runs";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(second), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(names.size()));
    for (const std::string& model : kModels)
        EXPECT_NE(std::find(names.begin(), names.end(), model + ".dae"), names.end()) << model;
    for (const std::string& face : kSkyFaces)
        EXPECT_NE(std::find(names.begin(), names.end(), "Skybox_" + face + ".png"), names.end()) << face;
    EXPECT_LT(total, 4u << 20) << "Models/ should stay a few megabytes";
    fs::remove_all(second);
}

TEST_F(GeneratedArt, ModelsAreModestAndTheirTexturesDecodeBesideThem) {
    std::vector<std::string> textures;
    for (const std::string& name : kModels) {
        const Geometry& g = geometry[name];
        EXPECT_GT(g.triangles.size(), 100u) << name;
        EXPECT_LE(g.triangles.size(), 4000u) << name;
        ASSERT_EQ(g.textures.size(), 1u) << name;
        const Decoded image = decode(file(g.textures[0]));
        EXPECT_EQ(image.bitsPerPixel, 24) << name << " texture " << g.textures[0];
        EXPECT_GT(image.width, 0) << name;
        textures.push_back(g.textures[0]);
    }
    std::sort(textures.begin(), textures.end());
    EXPECT_EQ(std::unique(textures.begin(), textures.end()), textures.end()) << "every model has its own texture";
    const Decoded planet = decode(file(geometry["planet"].textures[0]));
    EXPECT_GE(planet.width, 1024);
    EXPECT_GE(planet.height, 512);
}

TEST_F(GeneratedArt, FacesWindCounterClockwiseOutwardWithMatchingNormals) {
    for (const std::string& name : kModels) {
        const Geometry& g = geometry[name];
        double volume = 0.0;
        size_t disagreeing = 0;
        for (const auto& t : g.triangles) {
            const glm::dvec3 a(g.vertices[t[0]]), b(g.vertices[t[1]]), c(g.vertices[t[2]]);
            const glm::dvec3 winding = glm::cross(b - a, c - a);
            volume += glm::dot(a, glm::cross(b, c)) / 6.0;
            const glm::dvec3 normals = glm::dvec3(g.normals[t[0]] + g.normals[t[1]] + g.normals[t[2]]);
            if (glm::dot(winding, normals) <= 0.0) ++disagreeing;
        }
        // Closed solids wound counter-clockwise from outside enclose a positive volume.
        EXPECT_GT(volume, 0.0) << name;
        EXPECT_EQ(disagreeing, 0u) << name << ": triangles whose normals face against their winding";
        for (const glm::vec3& n : g.normals) ASSERT_NEAR(glm::length(n), 1.0f, 1e-3f) << name;
    }
}

TEST_F(GeneratedArt, SpheresAreSmoothUnitSpheresWithFullTextureRange) {
    for (const std::string name : {"sphere", "planet"}) {
        const Geometry& g = geometry[name];
        for (size_t i = 0; i < g.vertices.size(); ++i) {
            ASSERT_NEAR(glm::length(g.vertices[i]), 1.0f, 1e-4f) << name;
            ASSERT_GT(glm::dot(g.vertices[i], g.normals[i]), 0.999f) << name << ": normal is not radial";
        }
        EXPECT_LT(glm::length(meanOf(g.vertices)), 0.05f) << name;
        const auto [uLow, uHigh] = std::minmax_element(g.uvs.begin(), g.uvs.end(),
                                                       [](glm::vec2 p, glm::vec2 q) { return p.x < q.x; });
        EXPECT_NEAR(uLow->x, 0.0f, 0.02f) << name;
        EXPECT_NEAR(uHigh->x, 1.0f, 0.02f) << name;
    }
}

TEST_F(GeneratedArt, AsteroidIsALumpyRockOfUnitRadius) {
    const Geometry& g = geometry["asteroid"];
    const glm::vec3 center = meanOf(g.vertices);
    EXPECT_LT(glm::length(center), 0.05f);
    float nearest = 1e9f, farthest = 0.0f;
    for (const glm::vec3& p : g.vertices) {
        nearest = std::min(nearest, glm::distance(p, center));
        farthest = std::max(farthest, glm::distance(p, center));
    }
    EXPECT_NEAR(farthest, 1.0f, 0.03f);
    EXPECT_LT(nearest, 0.75f) << "a silhouette this round would not differ from the sphere standing in for it";
}

TEST_F(GeneratedArt, ShipsPointNoseAlongXTopAlongZWingsAlongY) {
    for (const std::string name : {"scythe2", "shipmesh"}) {
        const Geometry& g = geometry[name];
        const Box box = boxOf(g.vertices);
        const glm::vec3 size = box.size();
        const glm::vec3 center = meanOf(g.vertices);
        EXPECT_NEAR(size.x, 1.0f, 0.1f) << name << " should be about one unit long";
        EXPECT_GT(size.x, size.y) << name << " is longest along X";
        EXPECT_GT(size.y, 2.0f * size.z) << name << " spreads its wings along Y";
        EXPECT_NEAR(box.high.y, -box.low.y, 0.01f) << name << " is mirror-symmetric across XZ";
        EXPECT_GT(box.high.z - center.z, center.z - box.low.z) << name << " carries its superstructure on top (+Z)";
        EXPECT_LT(endSectionArea(g.vertices, box, true), endSectionArea(g.vertices, box, false))
            << name << " should taper toward its nose at +X";
    }
}

TEST_F(GeneratedArt, EnemyOutlineDiffersFromTheCraft) {
    const int cells = 64;
    const std::vector<bool> craft = topSilhouette(geometry["scythe2"], cells);
    const std::vector<bool> enemy = topSilhouette(geometry["shipmesh"], cells);
    int both = 0, either = 0;
    for (size_t i = 0; i < craft.size(); ++i) {
        both += craft[i] && enemy[i];
        either += craft[i] || enemy[i];
    }
    ASSERT_GT(either, 0);
    EXPECT_LT(static_cast<double>(both) / either, 0.6) << "seen from above the two ships overlap too much";
}

TEST_F(GeneratedArt, HullTexturesAreLightWithDarkPanelLines) {
    for (const std::string name : {"scythe2", "shipmesh"}) {
        const Decoded hull = decode(file(geometry[name].textures[0]));
        // The lit shader multiplies by the material colour, which a dark texture would hide.
        EXPECT_GT(hull.meanLuminance, 0.6) << name;
        EXPECT_LT(hull.minLuminance, 0.45) << name;
    }
}

}  // namespace
