// Models, textures and the sky cube map loaded from files the tests write, read back from GL.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "assets/texture.h"
#include "game/world.h"
#include "render/scene.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"

namespace {
class Assets : public ::testing::Test {
protected:
    void SetUp() override {
        sharedGlContext();
        world = World{};
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    // Writes a Collada file of the given meshes, one material per texture name, and returns its path.
    std::string model(const std::string& name, std::vector<aiMesh*> meshes, std::vector<std::string> textures) {
        EXPECT_TRUE(writeCollada(*makeScene(meshes, textures), dir + name));
        return dir + name;
    }
    const std::string dir = scratchDirectory();
};

GLint integer(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

GLint parameter(GLenum target, GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(target, name, &value);
    return value;
}

GLint levelWidth(GLenum target, GLint level) {
    GLint width = 0;
    glGetTexLevelParameteriv(target, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

// Blue, green, red, alpha bytes of level 0 of a texture target, rows bottom first.
std::vector<BYTE> levelZero(GLenum target, size_t texels) {
    std::vector<BYTE> bytes(texels * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_BGRA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}
}  // namespace

TEST_F(Assets, ModelFilesFollowEachOtherInOneUploadedBuffer) {
    Model two(glm::mat4(1.0f));
    Model one(glm::mat4(1.0f));
    ASSERT_TRUE(two.load(model("two.dae", {triangleMesh(12, 0), triangleMesh(36, 1)}, {"", ""}).c_str()));
    ASSERT_TRUE(one.load(model("one.dae", {triangleMesh(1, 0)}, {""}).c_str()));
    EXPECT_EQ(two.meshFirstVertex, (std::vector<int32_t>{0, 36}));
    EXPECT_EQ(two.meshVertexCount, (std::vector<int32_t>{36, 108}));
    EXPECT_EQ(one.meshFirstVertex, (std::vector<int32_t>{144}));
    EXPECT_EQ(two.materialCount, 2);

    uploadSharedVertices();
    EXPECT_EQ(world.sharedVertices.byteCount, 147 * 32);
    glBindBuffer(GL_ARRAY_BUFFER, world.sharedVertices.bufferId);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 147 * 32);
    // Vertex 37 is corner 1 of the second mesh at (1, 1, 1); the file has no normals or texture coordinates.
    float vertex[8] = {};
    glGetBufferSubData(GL_ARRAY_BUFFER, 37 * 32, sizeof(vertex), vertex);
    EXPECT_EQ(std::vector<float>(vertex, vertex + 8), std::vector<float>(8, 1.0f));
    // The attribute layout is proven by every rendering test, the golden image above all.
}

// Materials name textures relative to the model; one texture per exact path, shared across models;
// with no texture loaded, a mesh binds none rather than reading past the list.
TEST_F(Assets, MaterialsShareTexturesByExactPath) {
    Model lone(glm::mat4(1.0f));
    ASSERT_TRUE(lone.load(model("lone.dae", {triangleMesh(1, 0)}, {"missing.png"}).c_str()));
    GLuint stale = 0;
    glGenTextures(1, &stale);
    glBindTexture(GL_TEXTURE_2D, stale);
    bindMeshTexture(lone, 0);
    EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), 0);
    for (const char* name : {"Tex.png", "tex.png"}) ASSERT_TRUE(writeImage(dir + name, FIF_PNG, 3, 2, 24, testPicture));
    const std::vector<std::string> textures{"missing.png", "Tex.png", "", "tex.png", "Tex.png"};
    std::vector<aiMesh*> meshes;
    for (unsigned m = 0; m < textures.size(); ++m) meshes.push_back(triangleMesh(1, m));
    Model first(glm::mat4(1.0f));
    ASSERT_TRUE(first.load(model("textured.dae", meshes, textures).c_str()));
    EXPECT_EQ(first.meshTexture, (std::vector<int32_t>{0, 0, 0, 1, 0}));
    Model again(glm::mat4(1.0f));
    ASSERT_TRUE(again.load(model("again.dae", {triangleMesh(1, 0)}, {"tex.png"}).c_str()));
    EXPECT_EQ(again.meshTexture, (std::vector<int32_t>{1}));
    ASSERT_EQ(world.textureList.size(), 2u);
    EXPECT_EQ(world.textureList[1].path, dir + "tex.png");
}

TEST_F(Assets, SharedGeometryAndRecenteringStayApart) {
    Model source(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    ASSERT_TRUE(source.load(model("one.dae", {triangleMesh(1, 0)}, {""}).c_str()));
    const glm::vec3 center = source.center;  // (0, 0, 0), (1, 0, 1), (2, 0, 0)
    EXPECT_EQ(center, glm::vec3(1.0f, 0.0f, 1.0f / 3.0f));

    const glm::mat4 shifted = glm::translate(glm::mat4(1.0f), -center);
    Model copy(shifted);
    copy.modelLocation = 7;
    const int32_t bytes = world.sharedVertices.byteCount;
    ASSERT_TRUE(copy.shareGeometry(source));
    EXPECT_EQ(world.sharedVertices.byteCount, bytes);
    EXPECT_TRUE(copy.hasGeometry && copy.center == center && copy.materialCount == 1);
    EXPECT_EQ(copy.meshFirstVertex, source.meshFirstVertex);
    EXPECT_EQ(copy.meshVertexCount, source.meshVertexCount);
    EXPECT_TRUE(copy.modelLocation == 7 && copy.modelMatrix == shifted);

    source.recenter();
    copy.recenter();  // its matrix already puts the centre on the origin
    EXPECT_EQ(source.modelMatrix, glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)) * shifted);
    EXPECT_EQ(copy.modelMatrix, shifted);
    EXPECT_EQ(copy.center, center);
}

// 24- and 32-bit pictures give their texels, filtered linearly, repeating, with mip-maps;
// 1, 4 and 8-bit palettes sample their colours, not their indices; 8-bit grey is one red
// channel (a core profile has no luminance format) swizzled to grey.
TEST_F(Assets, ImagesOfEveryDepthSampleTheirColours) {
    // The 32-bit picture's alpha differs between rows, so it stays a picture with transparency.
    const auto translucent = [](int x, int y) { return std::vector<BYTE>{BYTE(40 * x + 10), 20, 200, BYTE(255 - 90 * y)}; };
    for (int bits : {24, 32}) {
        const std::string path = dir + std::to_string(bits) + ".png";
        ASSERT_TRUE(writeImage(path, FIF_PNG, 3, 2, bits, translucent));
        std::vector<BYTE> picture;
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < 3; ++x) picture.insert(picture.end(), {BYTE(40 * x + 10), 20, 200, BYTE(bits == 32 ? 255 - 90 * y : 255)});
        }
        Texture texture;
        ASSERT_TRUE(texture.load(path, true)) << bits;
        EXPECT_EQ(texture.width * 10 + texture.height, 32);
        EXPECT_EQ(levelZero(GL_TEXTURE_2D, 6), picture) << bits;
        GLint filter = 0;
        glGetSamplerParameteriv(texture.samplerId, GL_TEXTURE_MIN_FILTER, &filter);
        EXPECT_EQ(filter * parameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER), GL_LINEAR * GL_LINEAR);
        EXPECT_EQ(parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S) * parameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T),
                  GL_REPEAT * GL_REPEAT);
        EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 1), 1) << "mip-maps were asked for";
    }
    const RGBQUAD palette[2] = {{200, 30, 10, 0}, {5, 60, 220, 0}};
    for (unsigned bits : {1u, 4u, 8u}) {
        FIBITMAP* image = FreeImage_Allocate(2, 2, static_cast<int>(bits));
        std::copy(palette, palette + 2, FreeImage_GetPalette(image));
        for (BYTE index = 0; index < 4; ++index) {
            BYTE entry = index % 3 == 0 ? 0 : 1;
            FreeImage_SetPixelIndex(image, index % 2, index / 2, &entry);
        }
        const std::string path = dir + "palette" + std::to_string(bits) + ".png";
        ASSERT_TRUE(FreeImage_Save(FIF_PNG, image, path.c_str(), 0));
        FreeImage_Unload(image);
        Texture texture;
        ASSERT_TRUE(texture.load(path, true)) << bits;
        EXPECT_EQ(levelZero(GL_TEXTURE_2D, 4), (std::vector<BYTE>{200, 30, 10, 255, 5, 60, 220, 255,
                                                                  5, 60, 220, 255, 200, 30, 10, 255}))
            << bits << " bits";
    }
    ASSERT_TRUE(writeImage(dir + "grey.png", FIF_PNG, 2, 1, 8, [](int x, int) { return std::vector<BYTE>{BYTE(7 + 93 * x)}; }));
    Texture grey;
    ASSERT_TRUE(grey.load(dir + "grey.png", true));
    GLint swizzle[4] = {};
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    EXPECT_EQ(std::vector<GLint>(swizzle, swizzle + 4), (std::vector<GLint>{GL_RED, GL_RED, GL_RED, GL_ONE}));
    BYTE red[2] = {};
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_UNSIGNED_BYTE, red);
    EXPECT_TRUE(red[0] == 7 && red[1] == 100);
}

// The format comes from the contents, then the extension; 16 bits give a texture without image;
// unreadable files and images wider than GL takes give no GL objects at all.
TEST_F(Assets, OddAndBadImageFiles) {
    ASSERT_TRUE(writeImage(dir + "png-inside.bmp", FIF_PNG, 3, 2, 24, testPicture));
    ASSERT_TRUE(writeImage(dir + "plain.wbmp", FIF_WBMP, 3, 2, 1, testPicture));  // no signature
    ASSERT_TRUE(writeImage(dir + "wbmp-inside.dat", FIF_WBMP, 3, 2, 1, testPicture));
    ASSERT_TRUE(writeSixteenBitPng(dir + "deep.png", 2));
    for (const auto& [name, bits] : {std::pair<const char*, int>{"png-inside.bmp", 24}, {"plain.wbmp", 1}, {"deep.png", 16}}) {
        Texture texture;
        EXPECT_TRUE(texture.load(dir + name, true)) << name;
        EXPECT_EQ(texture.bitsPerPixel, bits) << name;
    }
    EXPECT_EQ(levelWidth(GL_TEXTURE_2D, 0), 0) << "the 16-bit texture holds no image";
    ASSERT_TRUE(writeImage(dir + "good.png", FIF_PNG, 64, 64, 24, testPicture));
    truncateFile(dir + "good.png", dir + "truncated.png");
    ASSERT_TRUE(writeImage(dir + "too-wide.png", FIF_PNG, integer(GL_MAX_TEXTURE_SIZE) + 1, 1, 24, testPicture));
    for (const char* name : {"wbmp-inside.dat", "missing.png", "truncated.png", "too-wide.png"}) {
        Texture texture;
        EXPECT_FALSE(texture.load(dir + name, true)) << name;
        EXPECT_EQ(texture.textureId + texture.samplerId, 0u) << name;
    }
}

namespace {
const char* const faceNames[6] = {"right", "left", "down", "up", "back", "front"};

// Face i is a solid square of its own colour (blue, green, red, alpha).
std::vector<BYTE> faceColour(int face) { return {BYTE(10 + 40 * face), BYTE(200 - 30 * face), BYTE(7 * face), 255}; }

class Skybox : public Assets {
protected:
    void SetUp() override {
        Assets::SetUp();
        static ShaderProgram program(directoryOf(__FILE__) + "../Shader/SkyboxShader.vert",
                                     directoryOf(__FILE__) + "../Shader/SkyboxShader.frag");
        skyProgram = &program;
        for (int i = 0; i < 6; ++i) {
            paths.push_back(dir + "Skybox_" + faceNames[i] + ".png");
            writeFace(i, 24, FIF_PNG);
        }
    }
    void writeFace(int face, int bits, FREE_IMAGE_FORMAT format) {
        ASSERT_TRUE(writeImage(paths[face], format, 3, 3, bits, [face](int, int) { return faceColour(face); }));
    }
    std::vector<std::string> paths;
    ShaderProgram* skyProgram = nullptr;
};
}  // namespace

TEST_F(Skybox, SixFacesOfAnyDepthBecomeOneClampedCubeMap) {
    writeFace(1, 32, FIF_PNG);
    writeFace(2, 8, FIF_PNG);  // grey: blue byte on every channel
    setUpSkybox(paths, skyProgram);
    ASSERT_TRUE(world.skyboxReady);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.skyboxTexture);
    for (int face = 0; face < 6; ++face) {
        std::vector<BYTE> colour = faceColour(face);
        if (face == 2) colour = {colour[0], colour[0], colour[0], 255};
        std::vector<BYTE> expected;
        for (int texel = 0; texel < 9; ++texel) expected.insert(expected.end(), colour.begin(), colour.end());
        EXPECT_EQ(levelZero(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 9), expected) << faceNames[face];
    }
    for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}) {
        EXPECT_EQ(parameter(GL_TEXTURE_CUBE_MAP, wrap), GL_CLAMP_TO_EDGE);
    }
    EXPECT_EQ(parameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL), 0);
}

// A missing up face, a face of another format than the first, a 16-bit, cut or wider face than GL takes:
// the faces before it are uploaded, none after, and the sky is not ready.
TEST_F(Skybox, StopsAtTheFirstBadFace) {
    ASSERT_TRUE(writeSixteenBitPng(paths[2], 3));
    writeFace(1, 24, FIF_BMP);
    truncateFile(paths[0], paths[4]);
    const int tooWide = integer(GL_MAX_CUBE_MAP_TEXTURE_SIZE) + 1;
    ASSERT_TRUE(writeImage(dir + "too-wide.png", FIF_PNG, tooWide, 1, 24, [](int, int) { return faceColour(0); }));
    const std::vector<std::pair<int, std::string>> stops{{3, dir + "Models/Skybox_up.png"},
        {1, paths[1]}, {2, paths[2]}, {4, paths[4]}, {5, dir + "too-wide.png"}};
    for (const auto& [face, path] : stops) {
        world = World{};
        std::vector<std::string> faces(6, paths[0]);
        faces[face] = path;
        setUpSkybox(faces, skyProgram);
        EXPECT_FALSE(world.skyboxReady) << path;
        EXPECT_EQ(static_cast<GLuint>(integer(GL_TEXTURE_BINDING_CUBE_MAP)), world.skyboxTexture);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(levelWidth(GL_TEXTURE_CUBE_MAP_POSITIVE_X + i, 0), i < face ? 3 : 0) << path << " face " << i;
        }
    }
}
