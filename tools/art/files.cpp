#include "art/files.h"

#include <cstring>
#include <fstream>
#include <memory>
#include <regex>

#include <FreeImage.h>
#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>

namespace {

aiMesh* toAiMesh(const Mesh& mesh, const std::string& name) {
    auto* out = new aiMesh;
    out->mName = aiString(name);
    out->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    out->mMaterialIndex = 0;
    out->mNumVertices = static_cast<unsigned>(mesh.positions.size());
    out->mVertices = new aiVector3D[out->mNumVertices];
    out->mNormals = new aiVector3D[out->mNumVertices];
    out->mTextureCoords[0] = new aiVector3D[out->mNumVertices];
    out->mNumUVComponents[0] = 2;
    for (unsigned i = 0; i < out->mNumVertices; ++i) {
        out->mVertices[i] = aiVector3D(mesh.positions[i].x, mesh.positions[i].y, mesh.positions[i].z);
        out->mNormals[i] = aiVector3D(mesh.normals[i].x, mesh.normals[i].y, mesh.normals[i].z);
        out->mTextureCoords[0][i] = aiVector3D(mesh.uvs[i].x, mesh.uvs[i].y, 0.0f);
    }
    out->mNumFaces = static_cast<unsigned>(mesh.indices.size() / 3);
    out->mFaces = new aiFace[out->mNumFaces];
    for (unsigned f = 0; f < out->mNumFaces; ++f) {
        out->mFaces[f].mNumIndices = 3;
        out->mFaces[f].mIndices = new unsigned[3];
        std::memcpy(out->mFaces[f].mIndices, &mesh.indices[f * 3], 3 * sizeof(unsigned));
    }
    return out;
}

aiMaterial* texturedMaterial(const std::string& name, const std::string& textureName) {
    auto* material = new aiMaterial;
    const aiString materialName(name + "-material");
    material->AddProperty(&materialName, AI_MATKEY_NAME);
    const aiColor3D white(1.0f, 1.0f, 1.0f);
    material->AddProperty(&white, 1, AI_MATKEY_COLOR_DIFFUSE);
    const aiString texture(textureName);
    material->AddProperty(&texture, AI_MATKEY_TEXTURE_DIFFUSE(0));
    return material;
}

std::unique_ptr<aiScene> sceneOf(const Mesh& mesh, const std::string& name, const std::string& textureName) {
    auto scene = std::make_unique<aiScene>();
    scene->mNumMeshes = 1;
    scene->mMeshes = new aiMesh*[1]{toAiMesh(mesh, name)};
    scene->mNumMaterials = 1;
    scene->mMaterials = new aiMaterial*[1]{texturedMaterial(name, textureName)};
    scene->mRootNode = new aiNode(name);
    scene->mRootNode->mNumMeshes = 1;
    scene->mRootNode->mMeshes = new unsigned[1]{0};
    return scene;
}

// The exporter stamps the current time into <created> and <modified>.
std::string withFixedTimestamps(const std::string& collada) {
    static const std::regex stamp("<(created|modified)>[^<]*</(created|modified)>");
    return std::regex_replace(collada, stamp, "<$1>2000-01-01T00:00:00</$2>");
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

bool writeColladaModel(const Mesh& mesh, const std::string& name, const std::string& textureName,
                       const std::string& path) {
    const std::unique_ptr<aiScene> scene = sceneOf(mesh, name, textureName);
    Assimp::Exporter exporter;
    const aiExportDataBlob* blob = exporter.ExportToBlob(scene.get(), "collada");
    if (!blob) return false;
    const std::string collada(static_cast<const char*>(blob->data), blob->size);
    return writeFile(path, withFixedTimestamps(collada));
}

bool writePng(const Image& image, const std::string& path) {
    FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 24);
    if (!bitmap) return false;
    const size_t rowBytes = static_cast<size_t>(image.width) * 3;
    for (int y = 0; y < image.height; ++y)
        std::memcpy(FreeImage_GetScanLine(bitmap, y), &image.bgr[y * rowBytes], rowBytes);
    const bool saved = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION) != 0;
    FreeImage_Unload(bitmap);
    return saved;
}
