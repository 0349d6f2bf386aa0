// The generated art in Models/ (beside the game, the test's working directory) as the game's own
// loaders read it: winding and normals, and the sky's seams after upload.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include <glm/gtc/type_ptr.hpp>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "assets/texture.h"
#include "game/world.h"
#include "tests/support/gl_context.h"

// Triangles wind counter-clockwise seen from outside (a positive enclosed volume) with unit
// normals on the same side, so back-face culling and lighting agree.
TEST(GeneratedArt, FacesWindOutwardWithMatchingNormals) {
    sharedGlContext();
    world = World{};
    for (const char* name : {"scythe2", "shipmesh", "sphere", "planet", "asteroid"}) {
        Model model(glm::mat4(1.0f));
        ASSERT_TRUE(model.load((std::string("Models/") + name + ".dae").c_str())) << name;
        // Staged vertices: position, texture coordinates, normal.
        const auto position = [&](int v) { return glm::dvec3(glm::make_vec3(&world.sharedVertices.data[8 * v])); };
        const auto normal = [&](int v) { return glm::dvec3(glm::make_vec3(&world.sharedVertices.data[8 * v + 5])); };
        double volume = 0.0;
        int disagreeing = 0;
        for (size_t m = 0; m < model.meshFirstVertex.size(); ++m) {
            for (int v = model.meshFirstVertex[m]; v < model.meshFirstVertex[m] + model.meshVertexCount[m]; v += 3) {
                const glm::dvec3 a = position(v), b = position(v + 1), c = position(v + 2);
                volume += glm::dot(a, glm::cross(b, c)) / 6.0;
                disagreeing += glm::dot(glm::cross(b - a, c - a), normal(v) + normal(v + 1) + normal(v + 2)) <= 0.0;
                for (int corner = 0; corner < 3; ++corner) ASSERT_NEAR(glm::length(normal(v + corner)), 1.0, 1e-3) << name;
            }
        }
        EXPECT_GT(volume, 0.0) << name;
        EXPECT_EQ(disagreeing, 0) << name;
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
