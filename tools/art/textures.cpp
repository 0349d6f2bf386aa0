#include "art/textures.h"

#include <algorithm>
#include <cmath>

#include "art/mesh.h"
#include "art/noise.h"

namespace {

constexpr int kHullSize = 512;
// The sphere stands in for distant asteroids: a smooth ball catches more light than a cratered
// rock, so its rock is a little darker to match their mean brightness.
constexpr double kSphereRockBrightness = 0.95;

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

// Pixels from the nearest panel line: the lines run along every row border and along the column
// borders where a panel starts.
int seamDistance(int x, int y, const HullStyle& style) {
    const int column = x / style.cellWidth, row = y / style.cellHeight;
    const int inX = x % style.cellWidth, inY = y % style.cellHeight;
    const int columns = kHullSize / style.cellWidth;
    int distance = std::min(inY, style.cellHeight - 1 - inY);
    if (panelStarts(column, row, style)) distance = std::min(distance, inX);
    if (panelStarts((column + 1) % columns, row, style)) distance = std::min(distance, style.cellWidth - 1 - inX);
    return distance;
}

double hullShade(int x, int y, const HullStyle& style) {
    const int column = x / style.cellWidth, row = y / style.cellHeight;
    const int inX = x % style.cellWidth, inY = y % style.cellHeight;
    const int start = panelStartColumn(column, row, style);
    double shade = 0.74 + 0.16 * cellHash(start, row, style.seed + 1);
    if (style.stripes && row == 3 && ((x + y) / 12) % 2 == 0) shade *= 0.55;
    if (style.vents && cellHash(column, row, style.seed + 2) < 0.3) {
        const double dx = inX - style.cellWidth / 2.0, dy = inY - style.cellHeight / 2.0;
        const double r = std::sqrt(dx * dx + dy * dy) / (0.3 * std::min(style.cellWidth, style.cellHeight));
        if (r < 1.0) shade = (r > 0.8 || static_cast<int>(dy + 100) % 6 < 3) ? 0.3 : 0.5;
    }
    // Lines four pixels wide with soft shoulders: seen from a few ship lengths, linear filtering
    // without mip-maps skips over thinner lines and leaves dotted dashes.
    return glm::mix(0.38, shade, glm::smoothstep(1.0, 3.0, static_cast<double>(seamDistance(x, y, style))));
}

glm::dvec3 planetColour(glm::dvec3 direction) {
    const double seaLevel = 0.5;
    const double height = fractalNoise(direction * 2.2 + 10.0, 7, 21);
    const double moisture = fractalNoise(direction * 3.0 + 40.0, 5, 33);
    const glm::dvec3 sea = glm::mix(glm::dvec3(0.14, 0.36, 0.56), glm::dvec3(0.03, 0.09, 0.26),
                                    glm::smoothstep(0.0, 0.1, seaLevel - height));
    const double elevation = std::max(height - seaLevel, 0.0);
    glm::dvec3 land = glm::mix(glm::dvec3(0.70, 0.60, 0.38), glm::dvec3(0.17, 0.38, 0.13),
                               glm::smoothstep(0.42, 0.58, moisture));
    land = glm::mix(land, glm::dvec3(0.42, 0.37, 0.32), glm::smoothstep(0.08, 0.14, elevation));
    land = glm::mix(land, glm::dvec3(0.93, 0.94, 0.96), glm::smoothstep(0.17, 0.2, elevation));
    // The coast blends over about a texel's change in height, so it is smooth rather than stepped.
    glm::dvec3 colour = glm::mix(sea, land, glm::smoothstep(-0.003, 0.003, height - seaLevel));
    const double ice = std::abs(direction.z) + 0.08 * (fractalNoise(direction * 6.0, 4, 44) - 0.5);
    colour = glm::mix(colour, glm::dvec3(0.92, 0.95, 0.98), glm::smoothstep(0.94, 0.95, ice));
    const double cloud = fractalNoise(direction * 3.5 + 70.0, 6, 55);
    return glm::mix(colour, glm::dvec3(1.0), 0.85 * glm::smoothstep(0.56, 0.72, cloud));
}

glm::dvec3 rockColour(glm::dvec3 direction, double brightness) {
    const double mottling = fractalNoise(direction * 5.0, 6, 61);
    const double specks = fractalNoise(direction * 24.0, 3, 62);
    glm::dvec3 colour = brightness * glm::dvec3(0.58, 0.53, 0.47) * (0.55 + 0.7 * mottling);
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
    return shadeImage(2048, 1024, [](double u, double v) { return planetColour(sphereDirection(u, v)); });
}

Image rockTexture() {
    return shadeImage(512, 256, [](double u, double v) { return rockColour(sphereDirection(u, v), 1.0); });
}

Image sphereTexture() {
    return shadeImage(256, 128, [](double u, double v) { return rockColour(sphereDirection(u, v), kSphereRockBrightness); });
}
