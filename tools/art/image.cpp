#include "art/image.h"

#include <cmath>

Image blankImage(int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.bgr.assign(static_cast<size_t>(width) * height * 3, 0);
    return image;
}

void setPixel(Image& image, int x, int y, glm::dvec3 rgb) {
    const glm::dvec3 bytes = glm::clamp(rgb, 0.0, 1.0) * 255.0;
    std::uint8_t* pixel = &image.bgr[(static_cast<size_t>(y) * image.width + x) * 3];
    pixel[0] = static_cast<std::uint8_t>(std::lround(bytes.b));
    pixel[1] = static_cast<std::uint8_t>(std::lround(bytes.g));
    pixel[2] = static_cast<std::uint8_t>(std::lround(bytes.r));
}
