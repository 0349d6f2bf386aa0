// Bytes as the import process's answer: the game must reject anything inconsistent, and whatever
// it accepts must land inside the shared buffer after the models already there.
#include "tests/fuzz/staged_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StagedModel staged;
    if (!decodeStagedModel(std::string(reinterpret_cast<const char*>(data), size), staged)) return 0;
    requireStagedInvariants(staged);
    REQUIRE(allFinite(staged));
    SharedVertexBuffer buffer;
    buffer.data.assign(24, 0.0f);  // three vertices of an earlier model
    buffer.byteCount = 96;
    ImportedModel appended;
    if (!appendStagedModel(staged, buffer, appended)) return 0;
    REQUIRE(buffer.byteCount == static_cast<int64_t>(buffer.data.size() * sizeof(float)));
    for (size_t m = 0; m < appended.meshFirstVertex.size(); ++m) {
        REQUIRE(appended.meshFirstVertex[m] >= 3);
        REQUIRE((int64_t(appended.meshFirstVertex[m]) + appended.meshVertexCount[m]) * 32 <= buffer.byteCount);
    }
    return 0;
}
