#include "art/sky.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "art/noise.h"

namespace {

// Per face: major axis, then the directions of increasing s and t (OpenGL's cube-map table).
struct FaceBasis {
    glm::dvec3 axis, s, t;
};

constexpr FaceBasis kFaces[kCubeFaceCount] = {
    {{1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {{-1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
    {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},   {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    {{0, 0, 1}, {1, 0, 0}, {0, -1, 0}},  {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}},
};

struct Star {
    glm::dvec3 direction;
    glm::dvec3 colour;  // already scaled by brightness
    double spread;      // angular standard deviation in radians
};

const glm::dvec3 kGalacticPole = glm::normalize(glm::dvec3(0.35, 0.55, 0.76));

glm::dvec3 randomDirection(Random& random) {
    const double z = 2.0 * nextUnit(random) - 1.0;
    const double turn = 6.283185307179586 * nextUnit(random);
    const double r = std::sqrt(1.0 - z * z);
    return {r * std::cos(turn), r * std::sin(turn), z};
}

std::vector<Star> makeStars(int size) {
    const double texelAngle = 2.0 / (size - 1);
    Random random{2024};
    std::vector<Star> stars;
    for (int i = 0; i < 9000; ++i) {
        glm::dvec3 direction = randomDirection(random);
        // A third of the stars crowd toward the galactic plane.
        if (i % 3 == 0) direction = glm::normalize(direction - 0.8 * glm::dot(direction, kGalacticPole) * kGalacticPole);
        const double brightness = 0.12 + 1.6 * std::pow(nextUnit(random), 9.0);
        const double warmth = nextUnit(random);
        const glm::dvec3 tint = warmth < 0.5 ? glm::mix(glm::dvec3(1.0, 0.78, 0.55), glm::dvec3(1.0), warmth * 2.0)
                                             : glm::mix(glm::dvec3(1.0), glm::dvec3(0.72, 0.82, 1.0), warmth * 2.0 - 1.0);
        stars.push_back({direction, tint * brightness, texelAngle * (0.4 + 0.3 * std::min(brightness, 1.0))});
    }
    return stars;
}

glm::dvec3 nebula(glm::dvec3 direction) {
    const double band = std::exp(-std::pow(glm::dot(direction, kGalacticPole), 2.0) / 0.03);
    const glm::dvec3 milkyWay = glm::dvec3(0.12, 0.11, 0.15) * band * fractalNoise(direction * 4.0, 5, 301);
    const double density = glm::smoothstep(0.52, 0.78, fractalNoise(direction * 1.7 + 5.0, 6, 302));
    const glm::dvec3 hue = glm::mix(glm::dvec3(0.32, 0.10, 0.42), glm::dvec3(0.06, 0.22, 0.38),
                                    fractalNoise(direction * 1.2 + 9.0, 3, 303));
    return glm::dvec3(0.004, 0.004, 0.01) + milkyWay + hue * density * density * 0.45;
}

// Adds one star's point spread to every texel of `face` within three spreads of it.
void splatStar(std::vector<glm::dvec3>& texels, int face, int size, const Star& star) {
    const FaceBasis& basis = kFaces[face];
    const double major = glm::dot(star.direction, basis.axis);
    if (major <= 0.0) return;
    const double last = size - 1;
    const double column = (glm::dot(star.direction, basis.s) / major + 1.0) / 2.0 * last;
    const double row = (glm::dot(star.direction, basis.t) / major + 1.0) / 2.0 * last;
    // Near corners a texel spans under half its central angle; ten texels still cover three spreads.
    const int reach = 10;
    if (column < -reach || column > last + reach || row < -reach || row > last + reach) return;
    const double cutoff = 9.0 * star.spread * star.spread;
    for (int y = std::max(0, static_cast<int>(row) - reach); y <= std::min(size - 1, static_cast<int>(row) + reach); ++y) {
        for (int x = std::max(0, static_cast<int>(column) - reach); x <= std::min(size - 1, static_cast<int>(column) + reach); ++x) {
            const glm::dvec3 offset = cubeTexelDirection(face, x, y, size) - star.direction;
            const double chord2 = glm::dot(offset, offset);
            if (chord2 < cutoff) texels[static_cast<size_t>(y) * size + x] += star.colour * std::exp(-chord2 / (2.0 * star.spread * star.spread));
        }
    }
}

}  // namespace

glm::dvec3 cubeTexelDirection(int face, int column, int row, int size) {
    // Integer coordinates keep shared edge directions bit-identical across faces.
    const FaceBasis& basis = kFaces[face];
    const double last = size - 1;
    const double s = 2.0 * column - last, t = 2.0 * row - last;
    return glm::normalize(basis.axis * last + basis.s * s + basis.t * t);
}

std::array<Image, kCubeFaceCount> skyFaces(int size) {
    const std::vector<Star> stars = makeStars(size);
    std::array<Image, kCubeFaceCount> faces;
    for (int face = 0; face < kCubeFaceCount; ++face) {
        std::vector<glm::dvec3> texels(static_cast<size_t>(size) * size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) texels[static_cast<size_t>(y) * size + x] = nebula(cubeTexelDirection(face, x, y, size));
        for (const Star& star : stars) splatStar(texels, face, size, star);
        faces[face] = blankImage(size, size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) setPixel(faces[face], x, y, texels[static_cast<size_t>(y) * size + x]);
    }
    return faces;
}
