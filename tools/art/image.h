#pragma once
// 24-bit pictures laid out as FreeImage stores them, so the game uploads them unchanged.

#include <cstdint>
#include <vector>

#include <glm/glm.hpp>

// Rows from the bottom row up (row 0 is texture coordinate v = 0), pixels blue, green, red.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bgr;
};

Image blankImage(int width, int height);

// Stores an RGB colour with channels in [0, 1], clamped and rounded to bytes.
void setPixel(Image& image, int x, int y, glm::dvec3 rgb);

// Fills every pixel from shade(u, v), sampled at pixel centres with v = 0 on row 0.
template <typename Shade>
Image shadeImage(int width, int height, Shade shade) {
    Image image = blankImage(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) setPixel(image, x, y, shade((x + 0.5) / width, (y + 0.5) / height));
    return image;
}
