#include "art/mesh.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

using Triangle = std::array<glm::dvec3, 3>;

// Outward gradient of |p| - radius(p / |p|), the surface's normal direction.
glm::dvec3 surfaceNormal(glm::dvec3 point, const RadiusFunction& radius) {
    const double h = 1e-5;
    glm::dvec3 gradient;
    for (int axis = 0; axis < 3; ++axis) {
        glm::dvec3 step(0.0);
        step[axis] = h;
        const glm::dvec3 ahead = point + step, behind = point - step;
        const double f1 = glm::length(ahead) - radius(glm::normalize(ahead));
        const double f0 = glm::length(behind) - radius(glm::normalize(behind));
        gradient[axis] = (f1 - f0) / (2.0 * h);
    }
    return glm::normalize(gradient);
}

void appendVertex(Mesh& mesh, glm::dvec3 position, glm::dvec3 normal, glm::dvec2 uv) {
    mesh.indices.push_back(static_cast<std::uint32_t>(mesh.positions.size()));
    mesh.positions.emplace_back(position);
    mesh.normals.emplace_back(normal);
    mesh.uvs.emplace_back(uv);
}

glm::dvec2 planarUv(glm::dvec3 point, glm::dvec3 normal, double scale) {
    const glm::dvec3 n = glm::abs(normal);
    if (n.z >= n.x && n.z >= n.y) return glm::dvec2(point.x, point.y) * scale;
    if (n.y >= n.x) return glm::dvec2(point.x, point.z) * scale;
    return glm::dvec2(point.y, point.z) * scale;
}

void appendFlatTriangle(Mesh& mesh, const Triangle& t, double uvScale) {
    const glm::dvec3 normal = glm::normalize(glm::cross(t[1] - t[0], t[2] - t[0]));
    for (const glm::dvec3& corner : t) appendVertex(mesh, corner, normal, planarUv(corner, normal, uvScale));
}

glm::dvec3 centroid(const Ring& ring) {
    glm::dvec3 sum(0.0);
    for (const glm::dvec3& p : ring) sum += p;
    return sum / static_cast<double>(ring.size());
}

// Sides between consecutive rings and fans over both end rings, all wound the same way.
std::vector<Triangle> loftTriangles(const std::vector<Ring>& rings) {
    std::vector<Triangle> triangles;
    const size_t n = rings.front().size();
    for (size_t k = 0; k + 1 < rings.size(); ++k) {
        const Ring& a = rings[k];
        const Ring& b = rings[k + 1];
        for (size_t i = 0; i < n; ++i) {
            const size_t j = (i + 1) % n;
            triangles.push_back({a[i], a[j], b[j]});
            triangles.push_back({a[i], b[j], b[i]});
        }
    }
    const Ring& first = rings.front();
    const Ring& last = rings.back();
    const glm::dvec3 firstCenter = centroid(first), lastCenter = centroid(last);
    for (size_t i = 0; i < n; ++i) {
        const size_t j = (i + 1) % n;
        triangles.push_back({firstCenter, first[j], first[i]});
        triangles.push_back({lastCenter, last[i], last[j]});
    }
    return triangles;
}

double signedVolume(const std::vector<Triangle>& triangles) {
    double volume = 0.0;
    for (const Triangle& t : triangles) volume += glm::dot(t[0], glm::cross(t[1], t[2]));
    return volume / 6.0;
}

}  // namespace

glm::dvec3 sphereDirection(double u, double v) {
    const double longitude = 2.0 * kPi * u;
    const double latitude = kPi * v - kPi / 2.0;
    return glm::dvec3(std::cos(latitude) * std::cos(longitude), std::cos(latitude) * std::sin(longitude),
                      std::sin(latitude));
}

Mesh sphereGrid(int segments, int rings, const RadiusFunction& radius) {
    Mesh mesh;
    auto addVertex = [&](double u, double v) {
        const glm::dvec3 direction = sphereDirection(u, v);
        const glm::dvec3 position = direction * radius(direction);
        mesh.positions.emplace_back(position);
        mesh.normals.emplace_back(surfaceNormal(position, radius));
        mesh.uvs.emplace_back(u, v);
    };
    // Each pole has one vertex per segment, centred on it, so that its triangles keep their own u.
    for (int segment = 0; segment < segments; ++segment) addVertex((segment + 0.5) / segments, 0.0);
    // The inner rings repeat their first vertex at u = 1 to close the texture seam.
    for (int ring = 1; ring < rings; ++ring)
        for (int segment = 0; segment <= segments; ++segment)
            addVertex(static_cast<double>(segment) / segments, static_cast<double>(ring) / rings);
    for (int segment = 0; segment < segments; ++segment) addVertex((segment + 0.5) / segments, 1.0);

    const auto inner = [&](int ring, int segment) {
        return static_cast<std::uint32_t>(segments + (ring - 1) * (segments + 1) + segment);
    };
    const auto northPole = [&](int segment) { return static_cast<std::uint32_t>(inner(rings, 0) + segment); };
    // Going east then north is counter-clockwise seen from outside.
    for (int segment = 0; segment < segments; ++segment) {
        const auto southPole = static_cast<std::uint32_t>(segment);
        mesh.indices.insert(mesh.indices.end(), {southPole, inner(1, segment + 1), inner(1, segment)});
        for (int ring = 1; ring + 1 < rings; ++ring) {
            const std::uint32_t a = inner(ring, segment), b = inner(ring, segment + 1);
            const std::uint32_t c = inner(ring + 1, segment + 1), d = inner(ring + 1, segment);
            mesh.indices.insert(mesh.indices.end(), {a, b, c, a, c, d});
        }
        mesh.indices.insert(mesh.indices.end(),
                            {inner(rings - 1, segment), inner(rings - 1, segment + 1), northPole(segment)});
    }
    return mesh;
}

void addLoft(Mesh& mesh, const std::vector<Ring>& rings, double uvScale) {
    std::vector<Triangle> triangles = loftTriangles(rings);
    const bool inward = signedVolume(triangles) < 0.0;
    for (Triangle& t : triangles) {
        if (inward) std::swap(t[1], t[2]);
        // Rings that shrink to a point leave triangles without area.
        if (glm::length(glm::cross(t[1] - t[0], t[2] - t[0])) > 1e-12) appendFlatTriangle(mesh, t, uvScale);
    }
}

std::vector<Ring> mirroredY(const std::vector<Ring>& rings) {
    std::vector<Ring> mirrored = rings;
    for (Ring& ring : mirrored)
        for (glm::dvec3& p : ring) p.y = -p.y;
    return mirrored;
}

void centerAndFit(Mesh& mesh, double radius) {
    glm::dvec3 mean(0.0);
    for (const glm::vec3& p : mesh.positions) mean += glm::dvec3(p);
    mean /= static_cast<double>(mesh.positions.size());
    double farthest = 0.0;
    for (const glm::vec3& p : mesh.positions) farthest = std::max(farthest, glm::length(glm::dvec3(p) - mean));
    for (glm::vec3& p : mesh.positions) p = glm::vec3((glm::dvec3(p) - mean) * (radius / farthest));
}
