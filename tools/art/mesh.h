#pragma once
// Triangle meshes built in memory before they are written as Collada.

#include <cstdint>
#include <functional>
#include <vector>

#include <glm/glm.hpp>

// Indexed triangles; outward faces are counter-clockwise and normals point outward.
struct Mesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec3> normals;
    std::vector<glm::vec2> uvs;
    std::vector<std::uint32_t> indices;  // three per triangle
};

// A closed cross-section of a solid; every ring of one loft has the same number of points.
using Ring = std::vector<glm::dvec3>;

// Radius of a star-shaped surface in a unit direction.
using RadiusFunction = std::function<double(glm::dvec3)>;

// Direction for texture coordinates (u, v): u turns once around +Z, v runs from the south pole
// (0) to the north pole (1). Sphere meshes and their equirectangular textures both use it.
glm::dvec3 sphereDirection(double u, double v);

// A latitude-longitude grid over the surface radius(direction) · direction, with smooth normals
// and the texture coordinates of sphereDirection.
Mesh sphereGrid(int segments, int rings, const RadiusFunction& radius);

// Adds a flat-shaded closed solid joining consecutive rings, capped at both ends, turned
// outward whatever the rings' direction. Texture coordinates are planar along each face's
// dominant axis, `uvScale` repeats per unit.
void addLoft(Mesh& mesh, const std::vector<Ring>& rings, double uvScale);

// The same rings mirrored across the XZ plane (y negated), for the other side of a ship.
std::vector<Ring> mirroredY(const std::vector<Ring>& rings);

// Moves the mean of the positions to the origin and scales the farthest position to `radius`.
void centerAndFit(Mesh& mesh, double radius);
