// Model loading off the GL thread: texture names, the import process and the answer it sends back.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "assets/model_import.h"
#include "assets/model_import_process.h"
#include "assets/staged_model_wire.h"
#include "tests/support/asset_files.h"

// What the import process answers is checked before it is used: one triangle of six vertices
// decodes; a range past the vertices, a cut message or a NaN does not.
TEST(StagedModelWire, OnlyWholeConsistentModelsDecode) {
    StagedModel staged;
    staged.vertices.assign(6 * 8, 0.5f);
    staged.imported.meshFirstVertex = {3};
    staged.imported.meshVertexCount = {3};
    staged.imported.meshMaterial = {0};
    staged.imported.materialCount = 1;
    staged.imported.materialTexturePaths = {"Models/x.png"};
    StagedModel decoded;
    EXPECT_TRUE(decodeStagedModel(encodeStagedModel(staged), decoded));
    EXPECT_EQ(decoded.imported.materialTexturePaths, staged.imported.materialTexturePaths);
    const std::string whole = encodeStagedModel(staged);
    EXPECT_FALSE(decodeStagedModel(whole.substr(0, whole.size() - 1), decoded));
    staged.imported.meshFirstVertex = {4};
    EXPECT_FALSE(decodeStagedModel(encodeStagedModel(staged), decoded));
    staged.imported.meshFirstVertex = {3};
    staged.vertices[7] = NAN;
    EXPECT_FALSE(decodeStagedModel(encodeStagedModel(staged), decoded));
}

TEST(TextureTable, NamesThatLeaveTheModelFolderAreNotRead) {
    SharedVertexBuffer buffer;
    const std::vector<std::string> names{"rock.png", "maps\\rock..png", "../x.png", "maps/../../x.png",
                                         "maps\\..\\x.png", "/etc/x.png", "\\x.png", ".."};
    const ImportedModel imported = stageScene(*makeScene({}, names), "Models/", buffer);
    const std::vector<std::string> expected{"Models/rock.png", "Models/maps\\rock..png", "", "", "", "", "", ""};
    EXPECT_EQ(imported.materialTexturePaths, expected);
}

// The inputs the fuzzer kept (and those given in QUORLAX_FUZZ_INPUTS) crash, abort or exhaust the
// library when it reads in the game's process; the child dies or runs out of its limits on each,
// and the game goes on without that model. (The damaged-data test runs hand-made damage end to end.)
TEST(ChildImport, FilesThatBreakTheLibraryAreNotLoaded) {
    const std::string dir = scratchDirectory();
    const struct RemoveDirectory {
        std::string path;
        ~RemoveDirectory() { std::filesystem::remove_all(path); }
    } cleanup{dir};
    ASSERT_TRUE(writeCollada(*makeScene({triangleMesh(2, 0)}, {""}), dir + "good.dae"));
    // Every file of a directory, if it exists.
    const auto filesIn = [](const std::string& directory) {
        std::vector<std::string> files;
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(directory, ignored)) files.push_back(entry.path());
        return files;
    };
    std::vector<std::string> kept = filesIn(directoryOf(__FILE__) + "fuzz/regressions/");
    if (const char* extra = std::getenv("QUORLAX_FUZZ_INPUTS")) {
        for (const std::string& path : filesIn(extra)) kept.push_back(path);
    }
    SharedVertexBuffer buffer;
    ImportedModel imported;
    // A kept input crashed an instrumented library; uninstrumented, it may read, but never past its buffer.
    for (const std::string& path : kept) {
        const int32_t before = buffer.byteCount;
        if (!importModelInChild(path.c_str(), buffer, imported)) {
            EXPECT_EQ(buffer.byteCount, before) << path << " was not loaded but left vertices behind";
            continue;
        }
        for (size_t m = 0; m < imported.meshFirstVertex.size(); ++m) {
            EXPECT_GE(imported.meshFirstVertex[m] * VertexLayout::bytes, before) << path;
            EXPECT_LE((imported.meshFirstVertex[m] + imported.meshVertexCount[m]) * VertexLayout::bytes,
                      buffer.byteCount) << path;
        }
    }
    EXPECT_TRUE(importModelInChild((dir + "good.dae").c_str(), buffer, imported)) << "the same file undamaged";
    EXPECT_EQ(imported.meshVertexCount, (std::vector<int32_t>{6}));
    // The time limit counts from the request: a model that waited in the pipe past it (while the
    // game opened its window) is taken.
    setImportTimeLimit(std::chrono::seconds(1));
    startModelImports({dir + "good.dae"});
    std::this_thread::sleep_for(std::chrono::seconds(2));
    EXPECT_TRUE(importModelInChild((dir + "good.dae").c_str(), buffer, imported)) << "read before it was asked for";
    setImportTimeLimit(std::chrono::seconds(20));
}
