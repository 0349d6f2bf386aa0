#include "art/noise.h"

#include <cmath>

namespace {

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double toUnit(std::uint64_t bits) {
    return static_cast<double>(bits >> 11) * (1.0 / 9007199254740992.0);
}

double latticeValue(std::int64_t x, std::int64_t y, std::int64_t z, std::uint32_t seed) {
    std::uint64_t h = mix(static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL ^ seed);
    h = mix(h ^ static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL);
    h = mix(h ^ static_cast<std::uint64_t>(z) * 0x165667B19E3779F9ULL);
    return toUnit(h);
}

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

}  // namespace

double nextUnit(Random& random) {
    random.state += 0x9E3779B97F4A7C15ULL;
    return toUnit(mix(random.state));
}

double valueNoise(glm::dvec3 point, std::uint32_t seed) {
    const glm::dvec3 cell = glm::floor(point);
    const glm::dvec3 t = point - cell;
    const auto x = static_cast<std::int64_t>(cell.x);
    const auto y = static_cast<std::int64_t>(cell.y);
    const auto z = static_cast<std::int64_t>(cell.z);
    const double fx = fade(t.x), fy = fade(t.y), fz = fade(t.z);
    double layers[2];
    for (int dz = 0; dz < 2; ++dz) {
        const double c00 = glm::mix(latticeValue(x, y, z + dz, seed), latticeValue(x + 1, y, z + dz, seed), fx);
        const double c10 = glm::mix(latticeValue(x, y + 1, z + dz, seed), latticeValue(x + 1, y + 1, z + dz, seed), fx);
        layers[dz] = glm::mix(c00, c10, fy);
    }
    return glm::mix(layers[0], layers[1], fz);
}

double fractalNoise(glm::dvec3 point, int octaves, std::uint32_t seed) {
    double sum = 0.0, weight = 1.0, total = 0.0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * valueNoise(point, seed + static_cast<std::uint32_t>(octave) * 101u);
        total += weight;
        weight *= 0.5;
        point *= 2.0;
    }
    return sum / total;
}
