#pragma once
// Small model and image files written by the tests themselves into a private directory.

#include <FreeImage.h>
#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// A fresh directory under /tmp, with a trailing slash.
inline std::string scratchDirectory() {
    char pattern[] = "/tmp/quorlax-assets-XXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? std::string(made) + "/" : std::string("/tmp/");
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Independent triangles whose vertex i sits at (i, material, i % 2).
inline aiMesh* triangleMesh(unsigned triangles, unsigned material) {
    aiMesh* mesh = new aiMesh;
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mMaterialIndex = material;
    mesh->mNumVertices = triangles * 3;
    mesh->mVertices = new aiVector3D[mesh->mNumVertices];
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) mesh->mVertices[i] = aiVector3D(i, material, i % 2);
    mesh->mNumFaces = triangles;
    mesh->mFaces = new aiFace[triangles];
    for (unsigned f = 0; f < triangles; ++f) {
        mesh->mFaces[f].mNumIndices = 3;
        mesh->mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
    }
    return mesh;
}

// A scene of the given meshes and one material per texture name ("" for none).
inline std::unique_ptr<aiScene> makeScene(std::vector<aiMesh*> meshes, std::vector<std::string> textures) {
    auto scene = std::make_unique<aiScene>();
    scene->mRootNode = new aiNode;
    scene->mNumMeshes = scene->mRootNode->mNumMeshes = static_cast<unsigned>(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    scene->mRootNode->mMeshes = new unsigned[meshes.size()];
    for (unsigned i = 0; i < meshes.size(); ++i) {
        scene->mMeshes[i] = meshes[i];
        scene->mRootNode->mMeshes[i] = i;
    }
    scene->mNumMaterials = static_cast<unsigned>(textures.size());
    scene->mMaterials = new aiMaterial*[textures.size()];
    for (unsigned i = 0; i < textures.size(); ++i) {
        scene->mMaterials[i] = new aiMaterial;
        const aiString name(("material" + std::to_string(i)).c_str());
        scene->mMaterials[i]->AddProperty(&name, AI_MATKEY_NAME);
        const aiString texture(textures[i].c_str());
        if (!textures[i].empty()) scene->mMaterials[i]->AddProperty(&texture, AI_MATKEY_TEXTURE_DIFFUSE(0));
    }
    return scene;
}

inline bool writeCollada(const aiScene& scene, const std::string& path) {
    return Assimp::Exporter().Export(&scene, "collada", path) == AI_SUCCESS;
}

// A width x height image of the given depth; colour(x, y) gives blue, green, red, alpha.
template <typename Colour>
bool writeImage(const std::string& path, FREE_IMAGE_FORMAT format, int width, int height, int bits, Colour colour) {
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, bits);
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < width; ++x) {
            const std::vector<BYTE> bgra = colour(x, y);
            for (int c = 0; c < bits / 8; ++c) row[x * (bits / 8) + c] = bgra[c];
        }
    }
    const bool saved = FreeImage_Save(format, bitmap, path.c_str(), 0);
    FreeImage_Unload(bitmap);
    return saved;
}

// The same small opaque picture for every test: three columns, two rows of distinct colours.
inline std::vector<BYTE> testPicture(int x, int y) {
    return {BYTE(40 * x + 10), BYTE(90 * y + 20), BYTE(200 - 50 * x), 255};
}
