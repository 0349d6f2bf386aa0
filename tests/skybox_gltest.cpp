#include <gtest/gtest.h>

#include <map>

#include "assets/shader_program.h"
#include "assets/texture.h"
#include "game/world.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"

namespace {
const char* const faceNames[6] = {"right", "left", "down", "up", "back", "front"};

// Face i is a square (cube faces must be) of a solid colour of its own, given as blue, green, red, alpha.
std::vector<BYTE> faceColour(int face) { return {BYTE(10 + 40 * face), BYTE(200 - 30 * face), BYTE(7 * face), 255}; }

class Skybox : public ::testing::Test {
protected:
    void SetUp() override {
        sharedGlContext();
        world = World{};
        static ShaderProgram program(directoryOf(__FILE__) + "../Shader/SkyboxShader.vert",
                                     directoryOf(__FILE__) + "../Shader/SkyboxShader.frag");
        skyProgram = &program;
        for (int i = 0; i < 6; ++i) {
            paths.push_back(dir + "Skybox_" + faceNames[i] + ".png");
            writeFace(i, 24, FIF_PNG);
        }
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    void writeFace(int face, int bits, FREE_IMAGE_FORMAT format) {
        ASSERT_TRUE(writeImage(paths[face], format, 3, 3, bits, [face](int, int) { return faceColour(face); }));
    }
    const std::string dir = scratchDirectory();
    std::vector<std::string> paths;
    ShaderProgram* skyProgram = nullptr;
};

GLint faceWidth(int face) {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_TEXTURE_WIDTH, &width);
    return width;
}

// The bytes of one face as read back from the cube map (blue, green, red, alpha per texel).
std::vector<BYTE> faceTexels(int face) {
    std::vector<BYTE> texels(3 * 3 * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

GLint cubeParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, name, &value);
    return value;
}

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}
}  // namespace

TEST_F(Skybox, SixFacesBecomeOneClampedCubeMapAndAnInwardCube) {
    writeFace(1, 32, FIF_PNG);  // taken down to 24 bits before upload
    setUpSkybox(paths, skyProgram);
    ASSERT_TRUE(world.skyboxReady);
    EXPECT_EQ(world.skyboxProgram, skyProgram);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), 0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.skyboxTexture);
    for (int face = 0; face < 6; ++face) {
        std::vector<BYTE> expected;
        for (int texel = 0; texel < 9; ++texel) for (BYTE byte : faceColour(face)) expected.push_back(byte);
        EXPECT_EQ(faceTexels(face), expected) << faceNames[face];
    }
    EXPECT_EQ(cubeParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(cubeParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}) {
        EXPECT_EQ(cubeParameter(wrap), GL_CLAMP_TO_EDGE);
    }
    EXPECT_EQ(cubeParameter(GL_TEXTURE_BASE_LEVEL) * 10 + cubeParameter(GL_TEXTURE_MAX_LEVEL), 0);

    EXPECT_EQ(integer(GL_CURRENT_PROGRAM), static_cast<GLint>(skyProgram->programId));
    EXPECT_EQ(world.skyboxModelLocation, glGetUniformLocation(skyProgram->programId, "model"));
    EXPECT_EQ(world.skyboxProjectionLocation, glGetUniformLocation(skyProgram->programId, "projectionMatrix"));
    EXPECT_EQ(world.skyboxCubemapLocation, glGetUniformLocation(skyProgram->programId, "cubemap"));
    EXPECT_NE(world.skyboxModelLocation, world.skyboxProjectionLocation);

    EXPECT_EQ(integer(GL_VERTEX_ARRAY_BINDING), 0);
    glBindVertexArray(world.skyboxVertexArray);
    GLint stride = 0;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    EXPECT_EQ(stride, 12);
    glBindBuffer(GL_ARRAY_BUFFER, world.skyboxVertexBuffer);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    ASSERT_EQ(size, 432);
    glm::vec3 corners[36];
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, size, corners);
    glBindVertexArray(0);
    // Seen from the centre every triangle must be front-facing: its normal points inwards, along
    // the axis of the face it lies on, and each of the six faces is covered by two triangles.
    std::map<std::pair<int, int>, int> trianglesPerFace;
    for (int t = 0; t < 12; ++t) {
        const glm::vec3 a = corners[3 * t], b = corners[3 * t + 1], c = corners[3 * t + 2];
        const glm::vec3 normal = glm::cross(b - a, c - a);
        int axis = 0;
        while (normal[axis] == 0.0f && axis < 2) ++axis;
        EXPECT_EQ(glm::length(normal), 4.0f) << t;
        EXPECT_TRUE(a[axis] == b[axis] && b[axis] == c[axis] && a[axis] * normal[axis] < 0.0f) << t;
        trianglesPerFace[{axis, static_cast<int>(a[axis])}] += 1;
    }
    EXPECT_EQ(trianglesPerFace.size(), 6u);
    for (const auto& face : trianglesPerFace) EXPECT_EQ(face.second, 2);
}

TEST_F(Skybox, MissingUpFaceStopsAfterThreeFaces) {
    paths[3] = dir + "Models/Skybox_up.png";
    writeFace(2, 8, FIF_PNG);  // grey faces are widened too
    setUpSkybox(paths, skyProgram);
    EXPECT_FALSE(world.skyboxReady);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(world.skyboxTexture));
    for (int face = 0; face < 6; ++face) EXPECT_EQ(faceWidth(face), face < 3 ? 3 : 0) << faceNames[face];
    const BYTE grey = faceColour(2)[0];
    EXPECT_EQ(faceTexels(2)[0] + faceTexels(2)[1] * 256 + faceTexels(2)[2] * 65536, grey * 65793);
    EXPECT_EQ(cubeParameter(GL_TEXTURE_MAX_LEVEL), 1000) << "no parameters are set";
    EXPECT_EQ(world.skyboxVertexArray + world.skyboxVertexBuffer, 0u);
    EXPECT_EQ(world.skyboxCubemapLocation, 0);
}

TEST_F(Skybox, FirstFaceDecidesTheFormatAndBadFacesStop) {
    FIBITMAP* deep = FreeImage_AllocateT(FIT_UINT16, 3, 3, 16);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, deep, paths[2].c_str(), 0));
    FreeImage_Unload(deep);
    writeFace(1, 24, FIF_BMP);
    truncateFile(paths[0], paths[4]);
    const std::vector<std::pair<int, std::string>> stops{
        {1, paths[1]}, {2, paths[2]}, {4, paths[4]}, {0, dir + "empty.png"}, {0, dir + "garbage.png"}};
    writeBytes(dir + "empty.png", "");
    writeBytes(dir + "garbage.png", std::string(100, '\x33'));
    for (const auto& [face, path] : stops) {
        world = World{};
        std::vector<std::string> faces(6, paths[0]);
        faces[face] = path;
        setUpSkybox(faces, skyProgram);
        EXPECT_FALSE(world.skyboxReady) << path;
        for (int i = 0; i < 6; ++i) EXPECT_EQ(faceWidth(i), i < face ? 3 : 0) << path << " face " << i;
    }
}
