// Models and textures loaded from files the test writes, read back from GL.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/frame.h"
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
    void TearDown() override {
        std::filesystem::remove_all(dir);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    // Writes a Collada file of the given meshes, one material per texture name, and returns its path.
    std::string model(const std::string& name, std::vector<aiMesh*> meshes, std::vector<std::string> textures) {
        EXPECT_TRUE(writeCollada(*makeScene(meshes, textures), dir + name));
        return dir + name;
    }
    const std::string dir = scratchDirectory();
};

// Blue, green, red, alpha bytes of level 0 of the bound 2D texture (or cube face), rows bottom first.
std::vector<BYTE> levelZero(size_t texels, GLenum target = GL_TEXTURE_2D) {
    std::vector<BYTE> bytes(texels * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_BGRA, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}
}  // namespace

// Materials name textures relative to the model; one texture per exact path, shared across models;
// a mesh without a texture binds the white texture, never a picture of the list.
TEST_F(Assets, MaterialsShareTexturesByExactPath) {
    world.untexturedTexture = createUntexturedTexture();
    for (const char* name : {"Tex.png", "tex.png"}) ASSERT_TRUE(writeImage(dir + name, FIF_PNG, 3, 2, 24, testPicture));
    const std::vector<std::string> textures{"missing.png", "Tex.png", "", "tex.png", "Tex.png"};
    std::vector<aiMesh*> meshes;
    for (unsigned m = 0; m < textures.size(); ++m) meshes.push_back(triangleMesh(1, m));
    Model first(glm::mat4(1.0f));
    ASSERT_TRUE(first.load(model("textured.dae", meshes, textures).c_str()));
    EXPECT_EQ(first.meshTexture, (std::vector<int32_t>{-1, 0, -1, 1, 0}));
    Model again(glm::mat4(1.0f));
    ASSERT_TRUE(again.load(model("again.dae", {triangleMesh(1, 0)}, {"tex.png"}).c_str()));
    EXPECT_EQ(again.meshTexture, (std::vector<int32_t>{1}));
    ASSERT_EQ(world.textureList.size(), 2u);
    EXPECT_EQ(world.textureList[1].path, dir + "tex.png");
    bindMeshTexture(worldScene(), first, 1);
    bindMeshTexture(worldScene(), first, 0);
    GLint bound = -1, sampler = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGetIntegerv(GL_SAMPLER_BINDING, &sampler);
    EXPECT_TRUE(bound == GLint(world.untexturedTexture) && sampler == 0);
    for (const Texture& texture : world.textureList) EXPECT_NE(GLuint(bound), texture.textureId);
    EXPECT_EQ(levelZero(1), (std::vector<BYTE>{255, 255, 255, 255}));
}

// 24- and 32-bit pictures give their texels, with mip-maps;
// 1, 4 and 8-bit palettes sample their colours, not their indices; 8-bit grey is one red
// channel (a core profile has no luminance format) swizzled to grey; 16-bit samples give their
// high byte. A sky reads each face, PNG or BMP, of any depth, by its own format as opaque colour.
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
        GLint width = 0, mipWidth = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        EXPECT_TRUE(width == 3 && texture.width == 3 && texture.height == 2) << bits;
        EXPECT_EQ(levelZero(6), picture) << bits;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &mipWidth);
        EXPECT_EQ(mipWidth, 1) << "mip-maps were asked for";
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
        EXPECT_EQ(levelZero(4), (std::vector<BYTE>{200, 30, 10, 255, 5, 60, 220, 255, 5, 60, 220, 255, 200, 30, 10, 255}))
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
    // Low bytes 0xff and 0x01 tell the high byte from rounding and from scaling by 255 / 65535.
    const WORD samples[] = {0x10ff, 0x2001, 0x30ff, 0x4001};  // red, green, blue, alpha
    const std::vector<std::vector<BYTE>> texels{{0, 0, 0x10, 255}, {0x30, 0x20, 0x10, 255}, {0x30, 0x20, 0x10, 0x40}};
    std::vector<std::string> faces;
    for (FREE_IMAGE_TYPE type : {FIT_UINT16, FIT_RGB16, FIT_RGBA16}) {
        FIBITMAP* image = FreeImage_AllocateT(type, 1, 1);
        const unsigned bits = FreeImage_GetBPP(image);
        std::copy(samples, samples + bits / 16, reinterpret_cast<WORD*>(FreeImage_GetBits(image)));
        faces.push_back(dir + std::to_string(bits) + ".png");
        const bool saved = FreeImage_Save(FIF_PNG, image, faces.back().c_str(), 0);
        FreeImage_Unload(image);
        Texture texture;
        ASSERT_TRUE(saved && texture.load(faces.back(), false)) << bits;
        EXPECT_EQ(texture.bitsPerPixel, static_cast<int32_t>(bits));
        EXPECT_EQ(levelZero(1), texels[faces.size() - 1]) << bits << " bits";
    }
    faces.push_back(dir + "face.bmp");
    ASSERT_TRUE(writeImage(faces.back(), FIF_BMP, 1, 1, 24, testPicture));
    faces.insert(faces.end(), {faces[0], faces[1]});
    ShaderProgram sky("Shader/SkyboxShader.vert", "Shader/SkyboxShader.frag");
    setUpSkybox(world.sky, faces, &sky);
    ASSERT_TRUE(world.sky.ready);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.sky.texture);
    const std::vector<std::vector<BYTE>> faceTexels{{0x10, 0x10, 0x10, 255}, texels[1], texels[1], {10, 20, 200, 255}};
    for (int face = 0; face < 4; ++face) EXPECT_EQ(levelZero(1, GL_TEXTURE_CUBE_MAP_POSITIVE_X + face), faceTexels[face]) << face;
}
