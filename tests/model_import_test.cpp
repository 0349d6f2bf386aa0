// The CPU half of model loading, on scenes built in memory.
#include <gtest/gtest.h>

#include "assets/model_import.h"
#include "tests/support/asset_files.h"

TEST(DirectoryOf, KeepsEverythingUpToTheLastSeparator) {
    EXPECT_EQ(directoryOf("ship.dae"), "");
    EXPECT_EQ(directoryOf(""), "");
    EXPECT_EQ(directoryOf("Models/ship.dae"), "Models/");
    EXPECT_EQ(directoryOf("Models\\ships\\ship.dae"), "Models\\ships\\");
    EXPECT_EQ(directoryOf("a\\b/ship.dae"), "a\\b/");
    EXPECT_EQ(directoryOf("a/b\\ship.dae"), "a/b\\");
    EXPECT_EQ(directoryOf("Models/"), "Models/");
}

// Lines, faces naming no vertex and faces of one index are never read, nor do they pull the bounds.
TEST(StageScene, PointsLinesAndBrokenFacesAreNeverRead) {
    aiMesh* lines = triangleMesh(2, 0);
    lines->mPrimitiveTypes = aiPrimitiveType_LINE;
    for (unsigned f = 0; f < 2; ++f) {
        delete[] lines->mFaces[f].mIndices;
        lines->mFaces[f].mNumIndices = 2;  // reading a third index would overflow
        lines->mFaces[f].mIndices = new unsigned[2]{0, 1};
    }
    aiMesh* mixed = triangleMesh(3, 0);
    mixed->mFaces[0].mIndices[2] = 99;
    delete[] mixed->mFaces[1].mIndices;
    mixed->mFaces[1].mNumIndices = 1;
    mixed->mFaces[1].mIndices = new unsigned[1]{0};
    SharedVertexBuffer buffer;
    const ImportedModel imported = stageScene(*makeScene({lines, mixed}, {""}), "", buffer);
    EXPECT_EQ(imported.meshVertexCount, (std::vector<int32_t>{3}));
    EXPECT_EQ(std::vector<float>(buffer.data.begin(), buffer.data.begin() + 3), (std::vector<float>{6, 0, 0}));
    EXPECT_EQ(imported.center, glm::vec3(4, 0, 4.0f / 9.0f));
}

TEST(Bounds, MeanAndFirstFarthestVertex) {
    SharedVertexBuffer buffer;
    const ImportedModel none = stageScene(*makeScene({}, {""}), "", buffer);
    EXPECT_EQ(none.center, glm::vec3(0));
    EXPECT_EQ(none.farthestVertex, glm::vec3(0));

    aiMesh* cross = triangleMesh(2, 0);
    const aiVector3D corners[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 3}, {0, 0, -3}};
    std::copy(corners, corners + 6, cross->mVertices);
    const ImportedModel symmetric = stageScene(*makeScene({cross}, {""}), "", buffer);
    EXPECT_EQ(symmetric.center, glm::vec3(0));
    EXPECT_EQ(symmetric.farthestVertex, glm::vec3(0, 0, 3));
    // 4097² rounds to 16785408 in float; summed in double the sum would round up instead.
    EXPECT_EQ(boundsDistanceSquared({4097, 4097, 1}, glm::vec3(0)), 33570816.0f);
    EXPECT_EQ(boundsDistanceSquared({1, 4097, 4097}, glm::vec3(0)), 33570816.0f);
}

TEST(TextureTable, MaterialsOutsideTheTableGetTextureZero) {
    const std::vector<int32_t> table{3, 5};
    EXPECT_EQ(textureForMaterial(table, 1), 5);
    EXPECT_EQ(textureForMaterial(table, 2), 0);
    EXPECT_EQ(textureForMaterial(table, -1), 0);
    EXPECT_EQ(textureForMaterial({}, 0), 0);
}
