// The generator's output files: complete, small, and the same bytes on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "tests/support/generated_art.h"

namespace fs = std::filesystem;

namespace {
std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
}  // namespace

TEST(GeneratedArt, TwoRunsWriteTheSameBytesIntoASmallFolder) {
    const std::string first = generateArtIntoTempDir();
    const std::string second = generateArtIntoTempDir();
    std::set<std::string> names;
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(first)) {
        const std::string name = entry.path().filename().string();
        names.insert(name);
        total += entry.file_size();
        EXPECT_TRUE(slurp(entry.path()) == slurp(fs::path(second) / name)) << name << " differs between runs";
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(second), fs::directory_iterator()),
              static_cast<std::ptrdiff_t>(names.size()));
    for (const char* model : {"scythe2", "shipmesh", "sphere", "planet", "asteroid"}) {
        EXPECT_EQ(names.count(std::string(model) + ".dae"), 1u) << model;
    }
    for (const char* face : {"right", "left", "down", "up", "back", "front"}) {
        EXPECT_EQ(names.count(std::string("Skybox_") + face + ".png"), 1u) << face;
    }
    EXPECT_LT(total, 6u << 20) << "Models/ should stay a few megabytes";
    fs::remove_all(first);
    fs::remove_all(second);
}
