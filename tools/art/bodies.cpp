#include "art/bodies.h"

#include <cmath>
#include <vector>

#include "art/noise.h"

namespace {

struct Crater {
    glm::dvec3 center;  // unit direction
    double size;        // angular radius as a chord length
    double depth;
};

std::vector<Crater> asteroidCraters() {
    Random random{7};
    std::vector<Crater> craters;
    for (int i = 0; i < 7; ++i) {
        const double z = 2.0 * nextUnit(random) - 1.0;
        const double turn = 6.283185307179586 * nextUnit(random);
        const double r = std::sqrt(1.0 - z * z);
        craters.push_back({{r * std::cos(turn), r * std::sin(turn), z}, 0.25 + 0.3 * nextUnit(random),
                           0.05 + 0.06 * nextUnit(random)});
    }
    return craters;
}

// A smooth bowl with a raised rim; zero outside 1.3 times the crater's size.
double craterOffset(const Crater& crater, glm::dvec3 direction) {
    const double x = glm::length(direction - crater.center) / crater.size;
    if (x >= 1.3) return 0.0;
    const double bowl = x < 1.0 ? -(1.0 - x * x) * (1.0 - x * x) : 0.0;
    const double rim = 0.35 * glm::smoothstep(0.7, 1.0, x) * (1.0 - glm::smoothstep(1.0, 1.3, x));
    return crater.depth * (bowl + rim);
}

}  // namespace

Mesh unitSphereMesh() {
    // Fewer triangles than the asteroid it stands in for beyond the level-of-detail distance.
    return sphereGrid(20, 10, [](glm::dvec3) { return 1.0; });
}

Mesh planetMesh() {
    return sphereGrid(64, 32, [](glm::dvec3) { return 1.0; });
}

Mesh asteroidMesh() {
    const std::vector<Crater> craters = asteroidCraters();
    const glm::dvec3 axes(1.25, 0.95, 0.8);  // a potato rather than a ball
    const RadiusFunction radius = [craters, axes](glm::dvec3 direction) {
        double r = 1.0 / glm::length(direction / axes);
        r *= 0.7 + 0.6 * fractalNoise(direction * 1.8 + 3.0, 4, 11);
        for (const Crater& crater : craters) r += craterOffset(crater, direction);
        return r;
    };
    Mesh mesh = sphereGrid(24, 12, radius);  // sixty of them go through the shadow pass every frame
    centerAndFit(mesh, 1.0);
    return mesh;
}
