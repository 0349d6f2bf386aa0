#pragma once
// 2D textures and the sky cube map, decoded through FreeImage.

#include <cstdint>
#include <string>
#include <vector>

struct ShaderProgram;

// One image on the GPU; a value record, copied into textureList.
struct Texture {
    int32_t width = 0;         // pixels
    int32_t height = 0;        // pixels
    int32_t bitsPerPixel = 0;  // as FreeImage decoded it
    unsigned textureId = 0;    // GL_TEXTURE_2D name
    unsigned samplerId = 0;    // sampler object bound together with the texture
    std::string path;          // full path it was loaded from; the key for sharing
    bool keepsFilters = false; // a test card: the filter switches leave its sampling as made

    // Creates the texture from an image file; false (and no GL object) when it cannot be decoded.
    bool load(std::string path, bool mipmaps);
};

// A 1 x 1 opaque white 2D texture, sampled unfiltered: a mesh without a picture drawn with it
// shows its lit material colours. Returns its GL name.
unsigned createUntexturedTexture();

// The sky: a cube map, the cube it is drawn on and its program.
struct Sky {
    ShaderProgram* program = nullptr;
    unsigned texture = 0;       // GL_TEXTURE_CUBE_MAP
    unsigned vertexArray = 0;   // the cube
    unsigned vertexBuffer = 0;
    int modelLocation = 0;      // uniform locations in program
    int projectionLocation = 0;
    int cubemapLocation = 0;
    bool ready = false;         // every face was read: the sky can be drawn
};

// Builds the sky cube map from six faces (+X, -X, +Y, -Y, +Z, -Z) and the cube it is drawn with.
// Stops silently at the first face that cannot be read, leaving sky.ready false.
void setUpSkybox(Sky& sky, std::vector<std::string> facePaths, ShaderProgram* program);

// Linear filtering, clamped edges and a single level for the cube map bound to GL_TEXTURE_CUBE_MAP.
void setCubeMapSampling();
