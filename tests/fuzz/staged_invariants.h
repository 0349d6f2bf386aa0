#pragma once
// What the game's staging promises about a model, checked on every fuzz input; a broken promise
// aborts with its condition so that the fuzzer keeps the input.

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "assets/staged_model_wire.h"

#define REQUIRE(condition)                                                       \
    do {                                                                         \
        if (!(condition)) {                                                      \
            std::fprintf(stderr, "staging invariant broken: %s\n", #condition); \
            std::abort();                                                        \
        }                                                                        \
    } while (0)

// Whole vertices; per mesh a range of whole triangles inside the vertices; one texture path per
// material; a mesh's texture index from a table of one entry per material, or -1 (no texture) for a
// material outside it.
inline void requireStagedInvariants(const StagedModel& staged) {
    const ImportedModel& imported = staged.imported;
    REQUIRE(staged.vertices.size() % VertexLayout::floats == 0);
    const int64_t vertexCount = static_cast<int64_t>(staged.vertices.size() / VertexLayout::floats);
    REQUIRE(imported.meshVertexCount.size() == imported.meshFirstVertex.size());
    REQUIRE(imported.meshMaterial.size() == imported.meshFirstVertex.size());
    for (size_t m = 0; m < imported.meshFirstVertex.size(); ++m) {
        REQUIRE(imported.meshFirstVertex[m] >= 0 && imported.meshVertexCount[m] % 3 == 0);
        REQUIRE(int64_t(imported.meshFirstVertex[m]) + imported.meshVertexCount[m] <= vertexCount);
    }
    REQUIRE(imported.materialCount >= 0);
    REQUIRE(imported.materialTexturePaths.size() == static_cast<size_t>(imported.materialCount));
    const std::vector<int32_t> table(imported.materialTexturePaths.size(), 1);
    for (int32_t material : imported.meshMaterial) {
        const int32_t texture = textureForMaterial(table, material);
        REQUIRE(texture == -1 || texture == 1);
    }
}

inline bool allFinite(const StagedModel& staged) {
    for (float value : staged.vertices) {
        if (!std::isfinite(value)) return false;
    }
    for (glm::vec3 v : {staged.imported.center, staged.imported.farthestVertex}) {
        if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) return false;
    }
    return true;
}
