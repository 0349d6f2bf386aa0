#include "art/textures.h"

#include <algorithm>
#include <cmath>

#include "art/mesh.h"
#include "art/noise.h"

namespace {

constexpr int kHullSize = 512;

double cellHash(int column, int row, std::uint32_t seed) {
    return valueNoise(glm::dvec3(column, row, 0.5), seed);
}

// A panel starts at column 0 of every row and wherever the hash says so.
bool panelStarts(int column, int row, const HullStyle& style) {
    return column == 0 || cellHash(column, row, style.seed) < 0.45;
}

int panelStartColumn(int column, int row, const HullStyle& style) {
    while (!panelStarts(column, row, style)) --column;
    return column;
}

double hullShade(int x, int y, const HullStyle& style) {
    const int column = x / style.cellWidth, row = y / style.cellHeight;
    const int inX = x % style.cellWidth, inY = y % style.cellHeight;
    const bool seam = inY < 2 || (inX < 2 && panelStarts(column, row, style));
    if (seam) return 0.38;
    const int start = panelStartColumn(column, row, style);
    double shade = 0.74 + 0.16 * cellHash(start, row, style.seed + 1);
    if (style.stripes && row == 3 && ((x + y) / 12) % 2 == 0) shade *= 0.55;
    if (style.vents && cellHash(column, row, style.seed + 2) < 0.3) {
        const double dx = inX - style.cellWidth / 2.0, dy = inY - style.cellHeight / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy) / (0.3 * std::min(style.cellWidth, style.cellHeight));
        if (r < 1.0) shade = (r > 0.8 || static_cast<int>(dy + 100) % 4 < 2) ? 0.3 : 0.5;
    }
    return shade;
}

glm::dvec3 planetColour(glm::dvec3 direction) {
    const double seaLevel = 0.5;
    const double height = fractalNoise(direction * 2.2 + 10.0, 7, 21);
    const double moisture = fractalNoise(direction * 3.0 + 40.0, 5, 33);
    glm::dvec3 colour;
    if (height < seaLevel) {
        colour = glm::mix(glm::dvec3(0.14, 0.36, 0.56), glm::dvec3(0.03, 0.09, 0.26),
                          glm::smoothstep(0.0, 0.1, seaLevel - height));
    } else {
        const double elevation = height - seaLevel;
        colour = glm::mix(glm::dvec3(0.70, 0.60, 0.38), glm::dvec3(0.17, 0.38, 0.13),
                          glm::smoothstep(0.42, 0.58, moisture));
        colour = glm::mix(colour, glm::dvec3(0.42, 0.37, 0.32), glm::smoothstep(0.08, 0.14, elevation));
        colour = glm::mix(colour, glm::dvec3(0.93, 0.94, 0.96), glm::smoothstep(0.17, 0.2, elevation));
    }
    const double ice = std::abs(direction.z) + 0.08 * (fractalNoise(direction * 6.0, 4, 44) - 0.5);
    colour = glm::mix(colour, glm::dvec3(0.92, 0.95, 0.98), glm::smoothstep(0.94, 0.95, ice));
    const double cloud = fractalNoise(direction * 3.5 + 70.0, 6, 55);
    return glm::mix(colour, glm::dvec3(1.0), 0.85 * glm::smoothstep(0.56, 0.72, cloud));
}

glm::dvec3 rockColour(glm::dvec3 direction) {
    const double mottling = fractalNoise(direction * 5.0, 6, 61);
    const double specks = fractalNoise(direction * 24.0, 3, 62);
    glm::dvec3 colour = glm::dvec3(0.58, 0.53, 0.47) * (0.55 + 0.7 * mottling);
    return colour * (1.0 - 0.5 * glm::smoothstep(0.62, 0.7, specks));
}

}  // namespace

Image hullTexture(const HullStyle& style) {
    Image image = blankImage(kHullSize, kHullSize);
    for (int y = 0; y < kHullSize; ++y)
        for (int x = 0; x < kHullSize; ++x) setPixel(image, x, y, glm::dvec3(hullShade(x, y, style)));
    return image;
}

Image planetTexture() {
    return shadeImage(1024, 512, [](double u, double v) { return planetColour(sphereDirection(u, v)); });
}

Image rockTexture() {
    return shadeImage(512, 256, [](double u, double v) { return rockColour(sphereDirection(u, v)); });
}

Image plainTexture() {
    return shadeImage(16, 16, [](double, double) { return glm::dvec3(0.94, 0.94, 0.92); });
}
