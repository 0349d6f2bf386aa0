#include "assets/shapes.h"

#include <GL/glew.h>

#include "assets/model.h"
#include "assets/texture.h"
#include "game/world.h"

namespace {
// Appends one vertex in VertexLayout to the staged vertices.
void stageVertex(SharedVertexBuffer& buffer, glm::vec3 position, glm::vec2 texCoord, glm::vec3 normal) {
    const float vertex[VertexLayout::floats] = {position.x, position.y, position.z, texCoord.x,
                                                texCoord.y, normal.x,   normal.y,   normal.z};
    buffer.data.insert(buffer.data.end(), vertex, vertex + VertexLayout::floats);
    buffer.byteCount += VertexLayout::bytes;
}

// Two triangles, counter-clockwise seen from where normal points: corner + u, corner + v span it.
void stageQuad(SharedVertexBuffer& buffer, glm::vec3 corner, glm::vec3 u, glm::vec3 v, float repeats) {
    const glm::vec3 normal = glm::normalize(glm::cross(u, v));
    const glm::vec3 points[4] = {corner, corner + u, corner + u + v, corner + v};
    const glm::vec2 texCoords[4] = {{0.0f, 0.0f}, {repeats, 0.0f}, {repeats, repeats}, {0.0f, repeats}};
    for (int i : {0, 1, 2, 0, 2, 3}) stageVertex(buffer, points[i], texCoords[i], normal);
}

SharedVertexBuffer& stagingBuffer() {
    SharedVertexBuffer& buffer = world.sharedVertices;
    if (buffer.bufferId == 0) {
        glGenBuffers(1, &buffer.bufferId);
        buffer.byteCount = 0;
    }
    return buffer;
}

// Takes the vertices staged since firstVertex as the model's one mesh.
void takeMesh(Model& model, int32_t firstVertex, int32_t texture, glm::vec3 farthest) {
    model.center = glm::vec3(0.0f);
    model.farthestVertex = farthest;
    model.materialCount = 1;
    model.meshFirstVertex = {firstVertex};
    model.meshVertexCount = {world.sharedVertices.byteCount / VertexLayout::bytes - firstVertex};
    model.meshTexture = {texture};
    model.hasGeometry = true;
}
}  // namespace

void stageBox(Model& model) {
    SharedVertexBuffer& buffer = stagingBuffer();
    const int32_t first = buffer.byteCount / VertexLayout::bytes;
    const glm::vec3 x(1.0f, 0.0f, 0.0f), y(0.0f, 1.0f, 0.0f), z(0.0f, 0.0f, 1.0f);
    const glm::vec3 low(-0.5f), high(0.5f);
    stageQuad(buffer, low, y, x, 1.0f);                 // -z
    stageQuad(buffer, high, -x, -y, 1.0f);              // +z
    stageQuad(buffer, low, z, y, 1.0f);                 // -x
    stageQuad(buffer, high, -y, -z, 1.0f);              // +x
    stageQuad(buffer, low, x, z, 1.0f);                 // -y
    stageQuad(buffer, high, -z, -x, 1.0f);              // +y
    takeMesh(model, first, -1, high);
}

void stageSquare(Model& model, float repeats, int32_t texture) {
    SharedVertexBuffer& buffer = stagingBuffer();
    const int32_t first = buffer.byteCount / VertexLayout::bytes;
    stageQuad(buffer, {-0.5f, 0.0f, 0.5f}, {1.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, repeats);
    takeMesh(model, first, texture, {0.5f, 0.0f, 0.5f});
}

std::vector<unsigned char> checkerTexels(int squares, int squarePixels, const std::vector<unsigned char>& dark,
                                         const std::vector<unsigned char>& light) {
    const int side = squares * squarePixels;
    std::vector<unsigned char> texels(static_cast<size_t>(side) * side * 4, 255);
    for (int row = 0; row < side; ++row) {
        for (int column = 0; column < side; ++column) {
            const int r = row / squarePixels, c = column / squarePixels;
            const unsigned char grey = ((r + c) % 2 ? light : dark)[static_cast<size_t>(r) % dark.size()];
            unsigned char* texel = &texels[(static_cast<size_t>(row) * side + column) * 4];
            texel[0] = texel[1] = texel[2] = grey;
        }
    }
    return texels;
}

Texture createTexelTexture(const std::vector<unsigned char>& texels, int side, bool keepsFilters) {
    Texture texture;
    texture.width = texture.height = side;
    texture.bitsPerPixel = 32;
    texture.keepsFilters = keepsFilters;
    const GLint filter = keepsFilters ? GL_NEAREST : GL_LINEAR;
    glGenTextures(1, &texture.textureId);
    glBindTexture(GL_TEXTURE_2D, texture.textureId);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glGenerateMipmap(GL_TEXTURE_2D);
    glGenSamplers(1, &texture.samplerId);
    glSamplerParameteri(texture.samplerId, GL_TEXTURE_MIN_FILTER, filter);
    glSamplerParameteri(texture.samplerId, GL_TEXTURE_MAG_FILTER, filter);
    return texture;
}
