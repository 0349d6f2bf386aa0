#include "assets/staged_model_wire.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace {
constexpr uint32_t wireMagic = 0x51524c31;  // the bytes "1LRQ" on a little-endian machine
constexpr int64_t floatsPerVertex = VertexLayout::floats;

class Writer {
public:
    template <typename T>
    void put(const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
    }
    void put(glm::vec3 v) {
        put(v.x);
        put(v.y);
        put(v.z);
    }
    template <typename T>
    void putList(const std::vector<T>& values) {
        put(static_cast<uint64_t>(values.size()));
        bytes.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
    }
    std::string bytes;
};

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes(bytes) {}
    template <typename T>
    bool take(T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        if (bytes.size() - offset < sizeof(T)) return false;
        std::memcpy(&value, bytes.data() + offset, sizeof(T));
        offset += sizeof(T);
        return true;
    }
    bool take(glm::vec3& v) { return take(v.x) && take(v.y) && take(v.z); }
    // A count, then that many values; the count is checked against what is left before anything is allocated.
    template <typename T>
    bool takeList(std::vector<T>& values) {
        uint64_t count = 0;
        if (!take(count) || count > (bytes.size() - offset) / sizeof(T)) return false;
        values.resize(static_cast<size_t>(count));
        if (values.empty()) return true;
        std::memcpy(values.data(), bytes.data() + offset, values.size() * sizeof(T));
        offset += values.size() * sizeof(T);
        return true;
    }
    bool atEnd() const { return offset == bytes.size(); }

private:
    const std::string& bytes;
    size_t offset = 0;
};

bool allFinite(const std::vector<float>& values) {
    for (float value : values) {
        if (!std::isfinite(value)) return false;
    }
    return true;
}

bool isFinite(glm::vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Whole triangles, each mesh's range inside the vertices.
bool rangesInside(const ImportedModel& imported, int64_t vertexCount) {
    const size_t meshes = imported.meshFirstVertex.size();
    if (imported.meshVertexCount.size() != meshes || imported.meshMaterial.size() != meshes) return false;
    for (size_t m = 0; m < meshes; ++m) {
        const int64_t first = imported.meshFirstVertex[m];
        const int64_t count = imported.meshVertexCount[m];
        if (first < 0 || count < 0 || count % 3 != 0 || first + count > vertexCount) return false;
    }
    return true;
}
}  // namespace

std::string encodeStagedModel(const StagedModel& staged) {
    const ImportedModel& imported = staged.imported;
    Writer writer;
    writer.put(wireMagic);
    writer.putList(staged.vertices);
    writer.putList(imported.meshFirstVertex);
    writer.putList(imported.meshVertexCount);
    writer.putList(imported.meshMaterial);
    writer.put(imported.center);
    writer.put(imported.farthestVertex);
    writer.put(imported.materialCount);
    writer.put(static_cast<uint64_t>(imported.materialTexturePaths.size()));
    for (const std::string& path : imported.materialTexturePaths) {
        writer.putList(std::vector<char>(path.begin(), path.end()));
    }
    return writer.bytes;
}

bool decodeStagedModel(const std::string& bytes, StagedModel& staged) {
    Reader reader(bytes);
    ImportedModel& imported = staged.imported;
    uint32_t magic = 0;
    uint64_t pathCount = 0;
    if (!reader.take(magic) || magic != wireMagic || !reader.takeList(staged.vertices) ||
        !reader.takeList(imported.meshFirstVertex) || !reader.takeList(imported.meshVertexCount) ||
        !reader.takeList(imported.meshMaterial) || !reader.take(imported.center) ||
        !reader.take(imported.farthestVertex) || !reader.take(imported.materialCount) || !reader.take(pathCount)) {
        return false;
    }
    if (imported.materialCount < 0 || pathCount != static_cast<uint64_t>(imported.materialCount)) return false;
    imported.materialTexturePaths.clear();
    for (uint64_t p = 0; p < pathCount; ++p) {
        std::vector<char> path;
        if (!reader.takeList(path)) return false;
        imported.materialTexturePaths.emplace_back(path.begin(), path.end());
    }
    const int64_t floats = static_cast<int64_t>(staged.vertices.size());
    return reader.atEnd() && floats % floatsPerVertex == 0 && rangesInside(imported, floats / floatsPerVertex) &&
           allFinite(staged.vertices) && isFinite(imported.center) && isFinite(imported.farthestVertex);
}

bool appendStagedModel(StagedModel staged, SharedVertexBuffer& buffer, ImportedModel& imported) {
    const int64_t addedBytes = static_cast<int64_t>(staged.vertices.size()) * static_cast<int64_t>(sizeof(float));
    if (buffer.byteCount < 0 || addedBytes > std::numeric_limits<int32_t>::max() - buffer.byteCount) return false;
    const int32_t firstVertex = buffer.byteCount / VertexLayout::bytes;
    for (int32_t& first : staged.imported.meshFirstVertex) first += firstVertex;
    buffer.data.insert(buffer.data.end(), staged.vertices.begin(), staged.vertices.end());
    buffer.byteCount += static_cast<int32_t>(addedBytes);
    imported = std::move(staged.imported);
    return true;
}
