#pragma once
// Models read from Collada files into one shared, non-indexed vertex buffer.

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include <glm/glm.hpp>

struct ShaderProgram;

// One vertex of the shared buffer: position (3 floats), texture coordinate (2), normal (3), at
// attribute locations 0, 1 and 2.
struct VertexLayout {
    static constexpr int floats = 8;
    static constexpr int bytes = floats * static_cast<int>(sizeof(float));
    static constexpr int texCoordOffset = 3 * static_cast<int>(sizeof(float));  // bytes
    static constexpr int normalOffset = 5 * static_cast<int>(sizeof(float));    // bytes
};

// Every model's vertices, in VertexLayout.
struct SharedVertexBuffer {
    unsigned bufferId = 0;     // GL buffer name; 0 until the first load
    int32_t byteCount = 0;     // bytes staged since the buffer was created
    std::vector<float> data;   // vertices staged for upload, in append order
    std::vector<glm::vec3> positions;  // every uploaded vertex's position, in buffer order (the glow area's test)
};

// The drawable record of one model file: mesh ranges, textures, bounds and program.
struct Model {
    glm::vec3 center{0.0f};          // mean of all vertex positions
    glm::vec3 farthestVertex{0.0f};  // vertex position farthest from center
    glm::mat4 modelMatrix{1.0f};     // base transform of the model
    ShaderProgram* program = nullptr;  // set by attachProgram; not owned
    bool hasGeometry = false;        // load or shareGeometry filled the fields below
    std::vector<int32_t> meshFirstVertex;  // per mesh: first vertex in the shared buffer
    std::vector<int32_t> meshVertexCount;  // per mesh: vertices (three per face)
    std::vector<int32_t> meshTexture;      // per mesh: index into textureList, -1 for none
    int32_t materialCount = 0;
    int modelLocation = 0;             // uniform locations in program, filled by attachProgram
    int projectionMatrixLocation = 0;
    int texture2dLocation = 0;
    int farPlaneLocation = 0;
    int depthMapLocation = 0;
    int tintLocation = -1;             // a guided view's mark (lit programs only)

    explicit Model(glm::mat4 modelMatrix);

    // Reads the file through Assimp (in the import process) and stages its vertices; false when it
    // cannot be read, or when its geometry reaches farther than maxRadius from its centre (then
    // nothing stays staged).
    bool load(const char* path, float maxRadius = std::numeric_limits<float>::infinity());
    // Takes the bounds, ranges and textures of a loaded model; keeps this model's matrix and program.
    bool shareGeometry(const Model& source);
    // Shifts modelMatrix so that the geometry's centre lands on the model's origin.
    void recenter();
};

// Sends every staged vertex to the GPU once, after the last load, and describes the attributes.
void uploadSharedVertices();

// The prefix of path up to and including its last slash or backslash; "" without one.
std::string directoryOf(const std::string& path);
