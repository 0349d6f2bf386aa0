// The generated sky faces as the game uploads them: face i of the game's list goes to cube face
// GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, FreeImage's bottom row first (t = 0).

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "tests/support/generated_art.h"

namespace fs = std::filesystem;

namespace {

// The game's face list, in the order of the cube-map targets +X, -X, +Y, -Y, +Z, -Z.
const std::array<std::string, 6> kFaceFiles = {"Skybox_right.png", "Skybox_left.png", "Skybox_down.png",
                                               "Skybox_up.png",    "Skybox_back.png", "Skybox_front.png"};

struct Face {
    int width = 0, height = 0, bitsPerPixel = 0;
    std::vector<BYTE> bgr;  // rows bottom-up, unpadded

    glm::ivec3 texel(int s, int t) const {
        const BYTE* p = &bgr[(static_cast<size_t>(t) * width + s) * 3];
        return {p[2], p[1], p[0]};
    }
};

Face readFace(const fs::path& path) {
    Face face;
    FIBITMAP* bitmap = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
    if (!bitmap) return face;
    face.width = static_cast<int>(FreeImage_GetWidth(bitmap));
    face.height = static_cast<int>(FreeImage_GetHeight(bitmap));
    face.bitsPerPixel = static_cast<int>(FreeImage_GetBPP(bitmap));
    if (face.bitsPerPixel == 24) {
        for (int y = 0; y < face.height; ++y) {
            const BYTE* row = FreeImage_GetScanLine(bitmap, y);
            face.bgr.insert(face.bgr.end(), row, row + face.width * 3);
        }
    }
    FreeImage_Unload(bitmap);
    return face;
}

// OpenGL's "selecting cube map faces" table for a direction whose major axis is given:
// the face index and its (sc, tc, |ma|).
int cubeFace(int axis, glm::dvec3 d, double& sc, double& tc, double& ma) {
    ma = std::abs(d[axis]);
    switch (axis) {
    case 0: sc = d.x > 0 ? -d.z : d.z; tc = -d.y; return d.x > 0 ? 0 : 1;
    case 1: sc = d.x; tc = d.y > 0 ? d.z : -d.z; return d.y > 0 ? 2 : 3;
    default: sc = d.z > 0 ? d.x : -d.x; tc = -d.y; return d.z > 0 ? 4 : 5;
    }
}

// The texel a nearest-filtering sampler takes for direction d on the face of `axis`.
glm::ivec3 sample(const std::array<Face, 6>& faces, int axis, glm::dvec3 d) {
    double sc = 0, tc = 0, ma = 1;
    const Face& face = faces[cubeFace(axis, d, sc, tc, ma)];
    const int n = face.width;
    const int s = std::clamp(static_cast<int>(std::floor((sc / ma + 1.0) / 2.0 * n)), 0, n - 1);
    const int t = std::clamp(static_cast<int>(std::floor((tc / ma + 1.0) / 2.0 * n)), 0, n - 1);
    return face.texel(s, t);
}

class GeneratedSky : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string directory = generateArtIntoTempDir();
        for (int i = 0; i < 6; ++i) faces[i] = readFace(fs::path(directory) / kFaceFiles[i]);
        fs::remove_all(directory);
    }
    static std::array<Face, 6> faces;
};

std::array<Face, 6> GeneratedSky::faces;

TEST_F(GeneratedSky, FacesAreSquare24BitAndOfOneSize) {
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(faces[i].bitsPerPixel, 24) << kFaceFiles[i];
        EXPECT_EQ(faces[i].width, faces[i].height) << kFaceFiles[i];
        EXPECT_EQ(faces[i].width, faces[0].width) << kFaceFiles[i];
        EXPECT_GE(faces[i].width, 256) << kFaceFiles[i];
    }
}

// Along each of the cube's twelve edges, both faces meeting there show the same colour.
TEST_F(GeneratedSky, NeighbouringFacesAgreeAlongEverySharedEdge) {
    ASSERT_EQ(faces[0].width, faces[5].width);
    const int n = faces[0].width;
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            const int free = 3 - a - b;
            for (const double signA : {-1.0, 1.0}) {
                for (const double signB : {-1.0, 1.0}) {
                    int worst = 0;
                    for (int k = 0; k < n; ++k) {
                        glm::dvec3 d;
                        d[a] = signA;
                        d[b] = signB;
                        d[free] = (2.0 * k - (n - 1)) / (n - 1);
                        const glm::ivec3 difference = glm::abs(sample(faces, a, d) - sample(faces, b, d));
                        worst = std::max({worst, difference.r, difference.g, difference.b});
                    }
                    EXPECT_LE(worst, 1) << "seam where axis " << a << " = " << signA << " meets axis " << b
                                        << " = " << signB;
                }
            }
        }
    }
}

TEST_F(GeneratedSky, DarkSkyWithSparseBrightStars) {
    std::vector<int> brightness;
    for (const Face& face : faces)
        for (size_t i = 0; i + 2 < face.bgr.size(); i += 3)
            brightness.push_back(std::max({face.bgr[i], face.bgr[i + 1], face.bgr[i + 2]}));
    ASSERT_FALSE(brightness.empty());
    std::sort(brightness.begin(), brightness.end());
    const auto quantile = [&](double q) { return brightness[static_cast<size_t>(q * (brightness.size() - 1))]; };
    EXPECT_LT(quantile(0.5), 20) << "the sky should stay dark";
    EXPECT_LT(quantile(0.99), 120) << "stars should be points, not a haze";
    EXPECT_GE(brightness.back(), 230) << "some stars should be bright";
    const auto bright = brightness.end() - std::lower_bound(brightness.begin(), brightness.end(), 150);
    EXPECT_GT(bright, 200) << "too few bright stars";
}

}  // namespace
