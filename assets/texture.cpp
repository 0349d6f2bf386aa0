#include "assets/texture.h"

#include <GL/glew.h>

#include <utility>

#include "assets/image.h"
#include "assets/shader_program.h"

namespace {
// The sky cube seen from inside: two triangles per face, wound to face the centre.
constexpr float skyboxVertices[] = {
    -1.0f, 1.0f,  -1.0f, -1.0f, -1.0f, -1.0f, 1.0f,  -1.0f, -1.0f,
    1.0f,  -1.0f, -1.0f, 1.0f,  1.0f,  -1.0f, -1.0f, 1.0f,  -1.0f,

    -1.0f, -1.0f, 1.0f,  -1.0f, -1.0f, -1.0f, -1.0f, 1.0f,  -1.0f,
    -1.0f, 1.0f,  -1.0f, -1.0f, 1.0f,  1.0f,  -1.0f, -1.0f, 1.0f,

    1.0f,  -1.0f, -1.0f, 1.0f,  -1.0f, 1.0f,  1.0f,  1.0f,  1.0f,
    1.0f,  1.0f,  1.0f,  1.0f,  1.0f,  -1.0f, 1.0f,  -1.0f, -1.0f,

    -1.0f, -1.0f, 1.0f,  -1.0f, 1.0f,  1.0f,  1.0f,  1.0f,  1.0f,
    1.0f,  1.0f,  1.0f,  1.0f,  -1.0f, 1.0f,  -1.0f, -1.0f, 1.0f,

    -1.0f, 1.0f,  -1.0f, 1.0f,  1.0f,  -1.0f, 1.0f,  1.0f,  1.0f,
    1.0f,  1.0f,  1.0f,  -1.0f, 1.0f,  1.0f,  -1.0f, 1.0f,  -1.0f,

    -1.0f, -1.0f, -1.0f, -1.0f, -1.0f, 1.0f,  1.0f,  -1.0f, -1.0f,
    1.0f,  -1.0f, -1.0f, -1.0f, -1.0f, 1.0f,  1.0f,  -1.0f, 1.0f,
};
static_assert(sizeof(skyboxVertices) == 432, "36 positions of 3 floats");
constexpr size_t skyboxFaceCount = 6;

GLsizei widthOf(const Bitmap& bitmap) { return static_cast<GLsizei>(FreeImage_GetWidth(bitmap.get())); }
GLsizei heightOf(const Bitmap& bitmap) { return static_cast<GLsizei>(FreeImage_GetHeight(bitmap.get())); }

void uploadImage(const Bitmap& bitmap, const PixelUpload& upload) {
    if (upload.grey) {
        // Core contexts have no luminance formats: one red channel, read back as grey.
        const GLint swizzle[] = {GL_RED, GL_RED, GL_RED, GL_ONE};
        glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, upload.internalFormat, widthOf(bitmap), heightOf(bitmap), 0,
                 upload.pixelFormat, GL_UNSIGNED_BYTE, FreeImage_GetBits(bitmap.get()));
}

unsigned glLimit(GLenum name) {
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value > 0 ? static_cast<unsigned>(value) : 0;
}

// Loads face i of the cube map, decoded by its own format, as 24-bit colour so that every face
// shares one format; false when its image cannot be read.
bool uploadSkyFace(const std::string& path, int face) {
    const Bitmap bitmap =
        toBgr24(decodeImage(imageContentFormat(path), path, glLimit(GL_MAX_CUBE_MAP_TEXTURE_SIZE)));
    if (!bitmap) return false;
    glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA, widthOf(bitmap), heightOf(bitmap), 0, GL_BGR,
                 GL_UNSIGNED_BYTE, FreeImage_GetBits(bitmap.get()));
    return true;
}

void buildSkyboxCube(Sky& sky) {
    glGenVertexArrays(1, &sky.vertexArray);
    glGenBuffers(1, &sky.vertexBuffer);
    glBindVertexArray(sky.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, sky.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(skyboxVertices), skyboxVertices, GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);
}
}  // namespace

void setCubeMapSampling() {
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAX_LEVEL, 0);
}

bool Texture::load(std::string path, bool mipmaps) {
    Bitmap bitmap = decodeImage(imageFormatOf(path), path, glLimit(GL_MAX_TEXTURE_SIZE));
    if (!bitmap) return false;
    const int32_t decodedBits = static_cast<int32_t>(FreeImage_GetBPP(bitmap.get()));
    bitmap = withPaletteResolved(withByteSamples(std::move(bitmap)));
    if (!bitmap) return false;
    glGenTextures(1, &textureId);
    glBindTexture(GL_TEXTURE_2D, textureId);
    width = widthOf(bitmap);
    height = heightOf(bitmap);
    bitsPerPixel = decodedBits;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    const std::optional<PixelUpload> upload = pixelUploadFor(FreeImage_GetBPP(bitmap.get()));
    if (upload) uploadImage(bitmap, *upload);
    // Without a level 0 there is nothing to build mip levels from.
    if (upload && mipmaps) glGenerateMipmap(GL_TEXTURE_2D);
    glGenSamplers(1, &samplerId);
    // A bound sampler overrides the texture's filters: give it the same ones.
    glSamplerParameteri(samplerId, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(samplerId, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    this->path = path;
    return true;
}

unsigned createUntexturedTexture() {
    const GLubyte white[] = {255, 255, 255, 255};
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    // No mip levels: the default minifying filter would leave the texture incomplete (black).
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    return name;
}

void setUpSkybox(Sky& sky, std::vector<std::string> facePaths, ShaderProgram* program) {
    sky.program = program;
    glGenTextures(1, &sky.texture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, sky.texture);
    // A face missing from the list stops the set-up like a face that cannot be read.
    for (size_t face = 0; face < skyboxFaceCount; ++face) {
        if (face >= facePaths.size() || !uploadSkyFace(facePaths[face], static_cast<int>(face))) return;
    }
    setCubeMapSampling();
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    buildSkyboxCube(sky);
    glUseProgram(program->programId);
    sky.modelLocation = glGetUniformLocation(program->programId, "model");
    sky.projectionLocation = glGetUniformLocation(program->programId, "projectionMatrix");
    sky.cubemapLocation = glGetUniformLocation(program->programId, "cubemap");
    sky.ready = true;
}
