#include <gtest/gtest.h>

#include "assets/texture.h"
#include "game/world.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"

namespace {
class TextureLoad : public ::testing::Test {
protected:
    void SetUp() override {
        sharedGlContext();
        world = World{};
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    const std::string dir = scratchDirectory();
};

// Level 0 of a 2D texture as blue, green, red, alpha bytes, rows bottom first, unpadded.
std::vector<BYTE> levelZero(const Texture& texture) {
    std::vector<BYTE> pixels(static_cast<size_t>(texture.width) * texture.height * 4);
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

GLint parameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

GLint levelWidth(GLint level) {
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
    return width;
}

GLuint compile(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// Draws one pixel with texel (1, 1) of texture on unit 0, swizzled as a shader sees it, and reads it back as RGBA.
std::vector<unsigned char> samplePixel(const Texture& texture) {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, "#version 410 core\n"
                                                      "void main() { vec2 p = vec2(gl_VertexID % 2, gl_VertexID / 2);"
                                                      " gl_Position = vec4(p * 4.0 - 1.0, 0.0, 1.0); }"));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, "#version 410 core\n"
                                                        "uniform sampler2D image; out vec4 colour;"
                                                        "void main() { colour = texelFetch(image, ivec2(1, 1), 0); }"));
    glLinkProgram(program);
    GLuint vertexArray = 0;
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glBindSampler(0, 0);  // a fresh sampler asks for mip levels, which only some tests build
    glViewport(0, 0, 1, 1);
    glDrawArrays(GL_TRIANGLES, 0, 3);
    return readPixels(0, 0, 1, 1);
}
}  // namespace

TEST_F(TextureLoad, TwentyFourAndThirtyTwoBitPicturesShowTheSameColours) {
    ASSERT_TRUE(writeImage(dir + "rgb.png", FIF_PNG, 3, 2, 24, testPicture));
    ASSERT_TRUE(writeImage(dir + "rgba.png", FIF_PNG, 3, 2, 32, testPicture));
    std::vector<BYTE> expected;
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) for (BYTE byte : testPicture(x, y)) expected.push_back(byte);
    }
    for (const char* name : {"rgb.png", "rgba.png"}) {
        Texture texture;
        ASSERT_TRUE(texture.load(dir + name, true)) << name;
        EXPECT_EQ(texture.path, dir + name);
        EXPECT_EQ(texture.width * 10 + texture.height, 32);
        EXPECT_EQ(levelZero(texture), expected) << name;
        EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
        EXPECT_EQ(parameter(GL_TEXTURE_WRAP_T), GL_REPEAT);
        EXPECT_EQ(levelWidth(1), 1) << "mip-maps were asked for";
        EXPECT_TRUE(glIsSampler(texture.samplerId));
        EXPECT_EQ(samplePixel(texture), (std::vector<unsigned char>{150, 110, 50, 255})) << name;
    }
}

TEST_F(TextureLoad, GreyImageSamplesGrey) {
    ASSERT_TRUE(writeImage(dir + "grey.png", FIF_PNG, 3, 3, 8, [](int x, int y) {
        return std::vector<BYTE>{BYTE(x == 1 && y == 1 ? 100 : 7)};
    }));
    Texture texture;
    ASSERT_TRUE(texture.load(dir + "grey.png", false));
    EXPECT_EQ(texture.bitsPerPixel, 8);
    EXPECT_EQ(levelWidth(1), 0) << "no mip-maps were asked for";
    EXPECT_EQ(samplePixel(texture), (std::vector<unsigned char>{100, 100, 100, 255}));
}

TEST_F(TextureLoad, FormatComesFromContentsThenFromExtension) {
    ASSERT_TRUE(writeImage(dir + "png-inside.bmp", FIF_PNG, 3, 2, 24, testPicture));
    ASSERT_TRUE(writeImage(dir + "plain.wbmp", FIF_WBMP, 3, 2, 1, testPicture));
    ASSERT_TRUE(writeImage(dir + "wbmp-inside.dat", FIF_WBMP, 3, 2, 1, testPicture));
    Texture texture;
    EXPECT_TRUE(texture.load(dir + "png-inside.bmp", true));
    EXPECT_EQ(texture.bitsPerPixel, 24);
    EXPECT_TRUE(texture.load(dir + "plain.wbmp", true));  // WBMP files carry no signature
    EXPECT_EQ(texture.bitsPerPixel, 1);
    Texture unknown;
    EXPECT_FALSE(unknown.load(dir + "wbmp-inside.dat", true));
}

TEST_F(TextureLoad, SixteenBitImageGivesATextureWithoutImage) {
    FIBITMAP* deep = FreeImage_AllocateT(FIT_UINT16, 2, 2, 16);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, deep, (dir + "deep.png").c_str(), 0));
    FreeImage_Unload(deep);
    Texture texture;
    ASSERT_TRUE(texture.load(dir + "deep.png", true));
    EXPECT_EQ(texture.bitsPerPixel, 16);
    EXPECT_NE(texture.textureId, 0u);
    EXPECT_EQ(levelWidth(0), 0);
}

TEST_F(TextureLoad, BadFilesAreSilentlyAbsent) {
    ASSERT_TRUE(writeImage(dir + "good.png", FIF_PNG, 64, 64, 24, testPicture));
    truncateFile(dir + "good.png", dir + "truncated.png");
    writeBytes(dir + "empty.png", "");
    writeBytes(dir + "garbage.png", std::string(300, '\x55'));
    writeBytes(dir + "header-only.png", "\x89PNG\r\n\x1a\n");
    for (const char* name : {"missing.png", "empty.png", "truncated.png", "garbage.png", "header-only.png"}) {
        Texture texture;
        EXPECT_FALSE(texture.load(dir + name, true)) << name;
        EXPECT_EQ(texture.textureId, 0u) << name;
        EXPECT_EQ(texture.samplerId, 0u) << name;
    }
}
