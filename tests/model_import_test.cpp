#include <gtest/gtest.h>

#include "assets/model_import.h"
#include "assets/texture.h"
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

TEST(StageScene, MissingNormalsAndTextureCoordinatesGetDefaults) {
    aiMesh* plain = triangleMesh(1, 0);
    aiMesh* full = triangleMesh(1, 0);
    full->mNormals = new aiVector3D[3]{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}};
    full->mTextureCoords[0] = new aiVector3D[3]{{0.25f, 0.5f, 9}, {0, 0, 0}, {0, 0, 0}};
    full->mNumUVComponents[0] = 2;
    SharedVertexBuffer buffer;
    stageScene(*makeScene({plain, full}, {""}), "", buffer);
    const std::vector<float> plainCorner(buffer.data.begin() + 3, buffer.data.begin() + 8);
    EXPECT_EQ(plainCorner, (std::vector<float>{1, 1, 1, 1, 1}));
    const std::vector<float> fullCorner(buffer.data.begin() + 27, buffer.data.begin() + 32);
    EXPECT_EQ(fullCorner, (std::vector<float>{0.25f, 0.5f, 0, 0, 1}));
}

TEST(StageScene, PointsLinesAndBrokenFacesAreNeverRead) {
    aiMesh* lines = triangleMesh(2, 0);
    lines->mPrimitiveTypes = aiPrimitiveType_LINE;
    for (unsigned f = 0; f < 2; ++f) {
        delete[] lines->mFaces[f].mIndices;
        lines->mFaces[f].mNumIndices = 2;  // exactly two: reading a third index would overflow
        lines->mFaces[f].mIndices = new unsigned[2]{0, 1};
    }
    aiMesh* mixed = triangleMesh(3, 0);
    mixed->mFaces[0].mIndices[2] = 99;  // names no vertex
    delete[] mixed->mFaces[1].mIndices;
    mixed->mFaces[1].mNumIndices = 1;
    mixed->mFaces[1].mIndices = new unsigned[1]{0};
    SharedVertexBuffer buffer;
    const ImportedModel imported = stageScene(*makeScene({lines, mixed}, {""}), "", buffer);
    EXPECT_EQ(imported.meshVertexCount, (std::vector<int32_t>{3}));
    EXPECT_EQ(std::vector<float>(buffer.data.begin(), buffer.data.begin() + 3), (std::vector<float>{6, 0, 0}));
    // Skipped meshes do not pull the bounds either.
    EXPECT_EQ(imported.center, glm::vec3(4, 0, 4.0f / 9.0f));
}

TEST(Bounds, MeanAndFarthestVertex) {
    SharedVertexBuffer buffer;
    const ImportedModel none = stageScene(*makeScene({}, {""}), "", buffer);
    EXPECT_EQ(none.center, glm::vec3(0));
    EXPECT_EQ(none.farthestVertex, glm::vec3(0));
    EXPECT_TRUE(none.meshFirstVertex.empty());

    aiMesh* flat = triangleMesh(1, 0);
    for (unsigned i = 0; i < 3; ++i) flat->mVertices[i] = aiVector3D(2, 2, 2);
    const ImportedModel point = stageScene(*makeScene({flat}, {""}), "", buffer);
    EXPECT_EQ(point.center, glm::vec3(2));
    EXPECT_EQ(point.farthestVertex, glm::vec3(0));

    aiMesh* cross = triangleMesh(2, 0);
    const aiVector3D corners[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 3}, {0, 0, -3}};
    std::copy(corners, corners + 6, cross->mVertices);
    const ImportedModel symmetric = stageScene(*makeScene({cross}, {""}), "", buffer);
    EXPECT_EQ(symmetric.center, glm::vec3(0));
    EXPECT_EQ(symmetric.farthestVertex, glm::vec3(0, 0, 3));  // the first of two equally far vertices
}

TEST(Bounds, SquaresAreRoundedBeforeTheyAreSummed) {
    // 4097² = 16785409 rounds to 16785408; summed in float the + 1 is lost, in double it would round up.
    EXPECT_EQ(boundsDistanceSquared({4097, 4097, 1}, glm::vec3(0)), 33570816.0f);
    EXPECT_EQ(boundsDistanceSquared({1, 4097, 4097}, glm::vec3(0)), 33570816.0f);
}

TEST(TextureTable, ExactPathsAndMaterialsInRange) {
    std::vector<Texture> textures(2);
    textures[0].path = "Models/rock.png";
    textures[1].path = "Models/Ship.png";
    EXPECT_EQ(findTexture(textures, "Models/Ship.png"), 1);
    EXPECT_EQ(findTexture(textures, "Models/ship.png"), -1);
    EXPECT_EQ(findTexture(textures, "Models\\rock.png"), -1);
    EXPECT_EQ(findTexture(textures, "Models/rock.png "), -1);
    const std::vector<int32_t> table{3, 5};
    EXPECT_EQ(textureForMaterial(table, 1), 5);
    EXPECT_EQ(textureForMaterial(table, 2), 0);
    EXPECT_EQ(textureForMaterial(table, -1), 0);
    EXPECT_EQ(textureForMaterial({}, 0), 0);
}
