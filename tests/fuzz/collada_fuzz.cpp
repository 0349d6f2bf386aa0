// Bytes as a Collada file through the library, as the game reads it, then through the game's
// staging and its trip from the import process back to the game. Crashes inside the library are
// expected (the game reads in a child process for that); the staging must never crash or break
// its invariants, and whatever it stages must reach the game unchanged.
#include <assimp/Importer.hpp>
#include <assimp/scene.h>

#include "assets/model_import.h"
#include "tests/fuzz/staged_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFileFromMemory(data, size, modelImportFlags, "dae");
    if (!scene) return 0;
    SharedVertexBuffer buffer;
    StagedModel staged;
    staged.imported = stageScene(*scene, "Models/", buffer);
    staged.vertices = buffer.data;
    REQUIRE(buffer.byteCount == static_cast<int64_t>(buffer.data.size() * sizeof(float)));
    requireStagedInvariants(staged);
    int64_t next = 0;
    for (size_t m = 0; m < staged.imported.meshFirstVertex.size(); ++m) {
        REQUIRE(staged.imported.meshFirstVertex[m] == next);  // meshes follow each other
        next += staged.imported.meshVertexCount[m];
    }
    REQUIRE(next * 8 == static_cast<int64_t>(staged.vertices.size()));

    StagedModel received;
    REQUIRE(decodeStagedModel(encodeStagedModel(staged), received) == allFinite(staged));
    if (allFinite(staged)) {
        REQUIRE(received.vertices == staged.vertices);
        REQUIRE(received.imported.meshFirstVertex == staged.imported.meshFirstVertex);
        REQUIRE(received.imported.meshVertexCount == staged.imported.meshVertexCount);
        REQUIRE(received.imported.meshMaterial == staged.imported.meshMaterial);
        REQUIRE(received.imported.materialTexturePaths == staged.imported.materialTexturePaths);
        REQUIRE(received.imported.center == staged.imported.center);
        REQUIRE(received.imported.farthestVertex == staged.imported.farthestVertex);
    }
    return 0;
}
