#pragma once
// Shapes made in code rather than read from a file: a box, a square and the textures of the guided
// views' test surfaces. Their vertices join the shared buffer like a loaded model's.

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

struct Model;
struct Texture;

// Stages a unit box centred on the origin (faces outward, each face's texture 0..1) as the model's
// one mesh, without a texture. Call before uploadSharedVertices.
void stageBox(Model& model);
// Stages a unit square in the x-z plane centred on the origin, facing +y, its texture repeated
// `repeats` times along each side, as the model's one mesh drawing textureList[texture].
void stageSquare(Model& model, float repeats, int32_t texture);

// The texels of a checkerboard: squares x squares squares of squarePixels texels each side; the
// square in row r alternates between dark[r] and light[r] (grey levels 0..255, RGBA rows).
std::vector<unsigned char> checkerTexels(int squares, int squarePixels, const std::vector<unsigned char>& dark,
                                         const std::vector<unsigned char>& light);
// A texture of those texels, square, with mip levels, sampled linearly as loaded textures are.
// keepsFilters: sampled with the nearest texel always, whatever the filter switches say.
Texture createTexelTexture(const std::vector<unsigned char>& texels, int side, bool keepsFilters);
