#include "art/ships.h"

#include <cmath>

namespace {

constexpr double kHullUvScale = 2.0;  // hull texture repeats twice per unit

// An ellipse of `sides` points across the X axis at `x`, centred at (y, z).
Ring sectionX(double x, double y, double z, double radiusY, double radiusZ, int sides) {
    Ring ring;
    for (int i = 0; i < sides; ++i) {
        const double turn = 6.283185307179586 * (i + 0.5) / sides;
        ring.emplace_back(x, y + radiusY * std::cos(turn), z + radiusZ * std::sin(turn));
    }
    return ring;
}

// A flat diamond profile for wings and fins: chord along X from `lead` to `trail`,
// `thickness` along `thicknessAxis`, placed at `point` (its X is ignored).
Ring bladeSection(glm::dvec3 point, double lead, double trail, double thickness, glm::dvec3 thicknessAxis) {
    const double middle = lead + 0.35 * (trail - lead);
    const glm::dvec3 half = thicknessAxis * (thickness / 2.0);
    point.x = 0.0;
    return {point + glm::dvec3(lead, 0, 0), point + glm::dvec3(middle, 0, 0) + half, point + glm::dvec3(trail, 0, 0),
            point + glm::dvec3(middle, 0, 0) - half};
}

// A hexagon in the XY plane at height z around (x, 0), flattened along Y by `widthRatio`.
Ring hexagonZ(double x, double z, double radius, double widthRatio) {
    Ring ring;
    for (int i = 0; i < 6; ++i) {
        const double turn = 6.283185307179586 * i / 6.0;
        ring.emplace_back(x + radius * std::cos(turn), widthRatio * radius * std::sin(turn), z);
    }
    return ring;
}

void addMirroredPair(Mesh& mesh, const std::vector<Ring>& rings) {
    addLoft(mesh, rings, kHullUvScale);
    addLoft(mesh, mirroredY(rings), kHullUvScale);
}

}  // namespace

Mesh craftMesh() {
    Mesh mesh;
    const glm::dvec3 up(0, 0, 1), side(0, 1, 0);
    // Fuselage: a pointed octagonal body that swells toward the engines.
    addLoft(mesh,
            {sectionX(0.50, 0, 0.0, 0.0, 0.0, 8), sectionX(0.38, 0, 0.0, 0.035, 0.028, 8),
             sectionX(0.20, 0, 0.005, 0.060, 0.050, 8), sectionX(0.00, 0, 0.0, 0.075, 0.065, 8),
             sectionX(-0.25, 0, 0.0, 0.080, 0.062, 8), sectionX(-0.42, 0, 0.0, 0.070, 0.055, 8),
             sectionX(-0.48, 0, 0.0, 0.052, 0.042, 8)},
            kHullUvScale);
    // Canopy sitting on the fuselage's back.
    addLoft(mesh,
            {sectionX(0.26, 0, 0.035, 0.0, 0.0, 8), sectionX(0.16, 0, 0.045, 0.030, 0.030, 8),
             sectionX(0.02, 0, 0.050, 0.036, 0.036, 8), sectionX(-0.10, 0, 0.040, 0.0, 0.0, 8)},
            kHullUvScale);
    // Swept wings with a slight dihedral.
    addMirroredPair(mesh, {bladeSection({0, 0.06, -0.01}, 0.08, -0.32, 0.026, up),
                           bladeSection({0, 0.40, 0.02}, -0.27, -0.40, 0.008, up)});
    // Wing-tip cannons.
    addMirroredPair(mesh, {sectionX(0.02, 0.40, 0.02, 0.0, 0.0, 6), sectionX(-0.08, 0.40, 0.02, 0.014, 0.014, 6),
                           sectionX(-0.42, 0.40, 0.02, 0.016, 0.016, 6)});
    // Tail fin.
    addLoft(mesh, {bladeSection({0, 0, 0.04}, -0.20, -0.46, 0.022, side),
                   bladeSection({0, 0, 0.22}, -0.38, -0.47, 0.006, side)},
            kHullUvScale);
    return mesh;
}

Mesh enemyMesh() {
    Mesh mesh;
    const glm::dvec3 up(0, 0, 1);
    // Hull: a flat hexagonal lens with a raised top.
    addLoft(mesh, {hexagonZ(0, -0.08, 0.16, 0.9), hexagonZ(0, -0.03, 0.30, 0.9), hexagonZ(0, 0.03, 0.30, 0.9),
                   hexagonZ(0, 0.10, 0.14, 0.9)},
            kHullUvScale);
    // Forward prongs curving inward to their points.
    addMirroredPair(mesh, {sectionX(0.05, 0.17, 0.0, 0.05, 0.035, 6), sectionX(0.30, 0.16, 0.0, 0.035, 0.025, 6),
                           sectionX(0.44, 0.12, 0.0, 0.02, 0.015, 6), sectionX(0.50, 0.09, 0.0, 0.0, 0.0, 6)});
    // Wide engine block at the stern.
    addLoft(mesh, {sectionX(-0.20, 0, 0.0, 0.17, 0.07, 4), sectionX(-0.44, 0, 0.0, 0.22, 0.08, 4),
                   sectionX(-0.50, 0, 0.0, 0.18, 0.06, 4)},
            kHullUvScale);
    // Drooping side vanes.
    addMirroredPair(mesh, {bladeSection({0, 0.24, -0.02}, 0.05, -0.22, 0.02, up),
                           bladeSection({0, 0.42, -0.10}, -0.10, -0.24, 0.01, up)});
    // Dorsal tower.
    addLoft(mesh, {hexagonZ(-0.06, 0.06, 0.09, 0.45), hexagonZ(-0.11, 0.18, 0.05, 0.4)}, kHullUvScale);
    return mesh;
}
