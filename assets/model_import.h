#pragma once
// The CPU half of model loading: reading a scene, staging its vertices, its bounds and the
// material texture table. No GL calls, so it runs (and is tested) without a context.

#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "assets/model.h"

struct aiMesh;
struct aiScene;
struct Texture;

// Flags for reading model files: tangent space, joined vertices, triangles, meshes sorted by type.
constexpr unsigned modelImportFlags = 0x800B;

// What one scene contributes: per-mesh ranges of the shared buffer, bounds and material textures.
struct ImportedModel {
    std::vector<int32_t> meshFirstVertex;
    std::vector<int32_t> meshVertexCount;
    std::vector<int32_t> meshMaterial;  // material index of each mesh, as the file gives it
    glm::vec3 center{0.0f};
    glm::vec3 farthestVertex{0.0f};
    int32_t materialCount = 0;
    std::vector<std::string> materialTexturePaths;  // per material: directory + diffuse name, or ""
};

// Reads path through Assimp and stages it; false only when Assimp cannot read the file.
bool importModel(const char* path, SharedVertexBuffer& buffer, ImportedModel& imported);

// True for meshes that hold at least one triangle; points and lines are never drawn.
bool hasTriangles(const aiMesh& mesh);

// Appends the vertices of every triangle mesh to buffer and describes what was appended.
ImportedModel stageScene(const aiScene& scene, const std::string& directory, SharedVertexBuffer& buffer);

// Mean of the triangle meshes' vertex positions; the origin when there is none.
glm::vec3 meanPosition(const aiScene& scene);

// The vertex farthest from center; the first one wins ties; the origin when none lies off center.
glm::vec3 farthestFrom(const aiScene& scene, glm::vec3 center);

// Squared distance as the bounds compare it: float differences, double squares rounded to float.
float boundsDistanceSquared(glm::vec3 point, glm::vec3 center);

// Index of the texture loaded from exactly this path, or -1.
int32_t findTexture(const std::vector<Texture>& textures, const std::string& path);

// The texture index of a mesh with this material; -1 (no texture) for a material the table does not hold.
int32_t textureForMaterial(const std::vector<int32_t>& table, int32_t material);
