#include "assets/model_import.h"

#include <algorithm>

#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

#include "assets/texture.h"

namespace {
// A face with three indices that all name vertices of the mesh; anything shorter is no triangle.
bool isUsableTriangle(const aiMesh& mesh, const aiFace& face) {
    if (face.mNumIndices < 3 || !face.mIndices) return false;
    for (unsigned corner = 0; corner < 3; ++corner) {
        if (face.mIndices[corner] >= mesh.mNumVertices) return false;
    }
    return true;
}

void appendVertex(const aiMesh& mesh, unsigned index, SharedVertexBuffer& buffer) {
    const aiVector3D& position = mesh.mVertices[index];
    const aiVector3D uv = mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0][index] : aiVector3D(1.0f, 1.0f, 0.0f);
    const aiVector3D normal = mesh.HasNormals() ? mesh.mNormals[index] : aiVector3D(1.0f, 1.0f, 1.0f);
    buffer.data.insert(buffer.data.end(),
                       {position.x, position.y, position.z, uv.x, uv.y, normal.x, normal.y, normal.z});
    buffer.byteCount += VertexLayout::bytes;
}

// Expands the mesh's triangles into independent vertices; returns how many were appended.
int32_t stageMesh(const aiMesh& mesh, SharedVertexBuffer& buffer) {
    int32_t count = 0;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (!isUsableTriangle(mesh, face)) continue;
        for (unsigned corner = 0; corner < 3; ++corner) appendVertex(mesh, face.mIndices[corner], buffer);
        count += 3;
    }
    return count;
}

// Calls visit(position) for every vertex of every triangle mesh, in mesh and vertex order.
template <typename Visit>
void forEachPosition(const aiScene& scene, Visit visit) {
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        if (!hasTriangles(mesh)) continue;
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            const aiVector3D& p = mesh.mVertices[v];
            visit(glm::vec3(p.x, p.y, p.z));
        }
    }
}

// A texture name that is absolute or has a ".." part would read a file outside the model's folder.
bool staysInModelFolder(const std::string& name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\') return false;
    size_t start = 0;
    while (start <= name.size()) {
        const size_t end = std::min(name.find_first_of("/\\", start), name.size());
        if (name.compare(start, end - start, "..") == 0) return false;
        start = end + 1;
    }
    return true;
}

std::string diffuseTexturePath(const aiMaterial* material, const std::string& directory) {
    aiString name;
    if (!material || aiGetMaterialTexture(material, aiTextureType_DIFFUSE, 0, &name, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, nullptr) != AI_SUCCESS) {
        return std::string();
    }
    const std::string fileName(name.C_Str(), name.length);
    return staysInModelFolder(fileName) ? directory + fileName : std::string();
}

float squareInDouble(float value) {
    const double wide = value;
    return static_cast<float>(wide * wide);
}
}  // namespace

std::string directoryOf(const std::string& path) {
    const size_t last = path.find_last_of("/\\");
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

bool hasTriangles(const aiMesh& mesh) {
    if (!mesh.mVertices || !mesh.mFaces) return false;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        if (isUsableTriangle(mesh, mesh.mFaces[f])) return true;
    }
    return false;
}

bool importModel(const char* path, SharedVertexBuffer& buffer, ImportedModel& imported) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, modelImportFlags);
    if (!scene) return false;
    imported = stageScene(*scene, directoryOf(path), buffer);
    return true;
}

ImportedModel stageScene(const aiScene& scene, const std::string& directory, SharedVertexBuffer& buffer) {
    ImportedModel imported;
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        const aiMesh& mesh = *scene.mMeshes[m];
        if (!hasTriangles(mesh)) continue;
        imported.meshMaterial.push_back(static_cast<int32_t>(mesh.mMaterialIndex));
        imported.meshFirstVertex.push_back(buffer.byteCount / VertexLayout::bytes);
        imported.meshVertexCount.push_back(stageMesh(mesh, buffer));
    }
    imported.materialCount = static_cast<int32_t>(scene.mNumMaterials);
    imported.center = meanPosition(scene);
    imported.farthestVertex = farthestFrom(scene, imported.center);
    for (unsigned m = 0; m < scene.mNumMaterials; ++m) {
        imported.materialTexturePaths.push_back(diffuseTexturePath(scene.mMaterials[m], directory));
    }
    return imported;
}

glm::vec3 meanPosition(const aiScene& scene) {
    glm::vec3 sum(0.0f);
    unsigned count = 0;
    forEachPosition(scene, [&](glm::vec3 position) {
        sum += position;
        ++count;
    });
    if (count == 0) return glm::vec3(0.0f);
    return sum / static_cast<float>(count);
}

float boundsDistanceSquared(glm::vec3 point, glm::vec3 center) {
    const glm::vec3 d = point - center;
    return (squareInDouble(d.x) + squareInDouble(d.y)) + squareInDouble(d.z);
}

glm::vec3 farthestFrom(const aiScene& scene, glm::vec3 center) {
    float maximum = 0.0f;
    glm::vec3 farthest(0.0f);
    forEachPosition(scene, [&](glm::vec3 position) {
        const float distance = boundsDistanceSquared(position, center);
        if (distance > maximum) {
            maximum = distance;
            farthest = position;
        }
    });
    return farthest;
}

int32_t findTexture(const std::vector<Texture>& textures, const std::string& path) {
    for (size_t i = 0; i < textures.size(); ++i) {
        if (textures[i].path == path) return static_cast<int32_t>(i);
    }
    return -1;
}

int32_t textureForMaterial(const std::vector<int32_t>& table, int32_t material) {
    if (material < 0 || static_cast<size_t>(material) >= table.size()) return -1;
    return table[static_cast<size_t>(material)];
}
