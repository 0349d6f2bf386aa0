#include "assets/model.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include "assets/model_import.h"
#include "assets/model_import_process.h"
#include "assets/texture.h"
#include "game/world.h"
#include "view/precise_math.h"

namespace {
// Index into textureList of the texture at path, loading it on first use; -1 (no texture) when the
// path is empty or the image cannot be loaded.
int32_t textureIndexFor(const std::string& path) {
    if (path.empty()) return -1;
    const int32_t existing = findTexture(world.textureList, path);
    if (existing >= 0) return existing;
    Texture texture;
    if (!texture.load(path, true)) return -1;
    world.textureList.push_back(texture);
    return static_cast<int32_t>(world.textureList.size() - 1);
}
}  // namespace

Model::Model(glm::mat4 modelMatrix) : modelMatrix(modelMatrix) {}

bool Model::load(const char* path, float maxRadius) {
    SharedVertexBuffer& buffer = world.sharedVertices;
    if (buffer.bufferId == 0) {
        glGenBuffers(1, &buffer.bufferId);
        buffer.byteCount = 0;
    }
    ImportedModel imported;
    const size_t stagedFloats = buffer.data.size();
    const int32_t stagedBytes = buffer.byteCount;
    if (!importModelInChild(path, buffer, imported)) return false;
    // Written so that an overflowing (infinite) radius is too far as well.
    if (!(distanceF(imported.farthestVertex, imported.center) <= maxRadius)) {
        buffer.data.resize(stagedFloats);
        buffer.byteCount = stagedBytes;
        return false;
    }

    std::vector<int32_t> table;
    for (const std::string& texturePath : imported.materialTexturePaths) table.push_back(textureIndexFor(texturePath));
    meshTexture.clear();
    for (int32_t material : imported.meshMaterial) meshTexture.push_back(textureForMaterial(table, material));

    center = imported.center;
    farthestVertex = imported.farthestVertex;
    materialCount = imported.materialCount;
    meshFirstVertex = imported.meshFirstVertex;
    meshVertexCount = imported.meshVertexCount;
    hasGeometry = true;
    return true;
}

bool Model::shareGeometry(const Model& source) {
    center = source.center;
    farthestVertex = source.farthestVertex;
    materialCount = source.materialCount;
    meshFirstVertex = source.meshFirstVertex;
    meshVertexCount = source.meshVertexCount;
    meshTexture = source.meshTexture;
    hasGeometry = true;
    return true;
}

void Model::recenter() {
    const glm::vec3 placed = glm::vec3(modelMatrix * glm::vec4(center, 1.0f));
    const float length = sqrtF(placed.x * placed.x + placed.y * placed.y + placed.z * placed.z);
    if (length > 0.01f) modelMatrix = glm::translate(modelMatrix, -center);
}

void uploadSharedVertices() {
    SharedVertexBuffer& buffer = world.sharedVertices;
    glGenVertexArrays(1, &world.sharedVertexArray);
    glBindVertexArray(world.sharedVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer.bufferId);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(buffer.data.size() * sizeof(float)), buffer.data.data(),
                 GL_STATIC_DRAW);
    buffer.positions.resize(buffer.data.size() / VertexLayout::floats);
    for (size_t i = 0; i < buffer.positions.size(); ++i) {
        const float* vertex = &buffer.data[i * VertexLayout::floats];
        buffer.positions[i] = glm::vec3(vertex[0], vertex[1], vertex[2]);
    }
    buffer.data.clear();
    const GLsizei stride = VertexLayout::bytes;
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(VertexLayout::texCoordOffset));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(VertexLayout::normalOffset));
}
