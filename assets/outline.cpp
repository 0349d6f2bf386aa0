#include "assets/outline.h"

#include <algorithm>
#include <cmath>

#include "assets/model.h"
#include "game/world.h"

namespace {
// Views over half the sphere: the opposite view sees the mirror image of the same silhouette.
constexpr int viewCount = 32;
constexpr int gridSide = 64;  // cells across the bounding diameter: the rock's outline to about 1 %

float cross2(glm::vec2 a, glm::vec2 b) { return a.x * b.y - a.y * b.x; }

// Cells of a grid (gridSide across [-radius, radius] about center) whose centre lies in a
// triangle's projection along direction; overlapping triangles count once, so any mesh works.
int coveredCells(const std::vector<glm::vec3>& triangles, glm::vec3 center, float radius, glm::vec3 direction,
                 std::vector<unsigned char>& grid) {
    const glm::vec3 helper = std::abs(direction.x) < 0.9f ? glm::vec3(1.0f, 0.0f, 0.0f) : glm::vec3(0.0f, 1.0f, 0.0f);
    const glm::vec3 u = glm::normalize(glm::cross(direction, helper));
    const glm::vec3 v = glm::cross(direction, u);
    const float toCells = gridSide / (2.0f * radius);
    std::fill(grid.begin(), grid.end(), 0);
    int covered = 0;
    for (size_t t = 0; t + 2 < triangles.size(); t += 3) {
        glm::vec2 p[3];
        for (int k = 0; k < 3; ++k) {
            const glm::vec3 offset = triangles[t + k] - center;
            p[k] = (glm::vec2(glm::dot(offset, u), glm::dot(offset, v)) + radius) * toCells;
        }
        const float area = cross2(p[1] - p[0], p[2] - p[0]);
        if (!(std::abs(area) > 0.0f)) continue;  // edge-on (or NaN): covers nothing
        const float side = area > 0.0f ? 1.0f : -1.0f;
        const glm::vec2 low = glm::min(glm::min(p[0], p[1]), p[2]);
        const glm::vec2 high = glm::max(glm::max(p[0], p[1]), p[2]);
        // Clamped as floats first, so that no conversion can overflow.
        const int x0 = static_cast<int>(std::max(0.0f, std::ceil(low.x - 0.5f)));
        const int x1 = static_cast<int>(std::min(gridSide - 1.0f, std::floor(high.x - 0.5f)));
        const int y0 = static_cast<int>(std::max(0.0f, std::ceil(low.y - 0.5f)));
        const int y1 = static_cast<int>(std::min(gridSide - 1.0f, std::floor(high.y - 0.5f)));
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                const glm::vec2 cell(x + 0.5f, y + 0.5f);
                if (side * cross2(p[1] - p[0], cell - p[0]) < 0.0f || side * cross2(p[2] - p[1], cell - p[1]) < 0.0f ||
                    side * cross2(p[0] - p[2], cell - p[2]) < 0.0f) {
                    continue;
                }
                unsigned char& mark = grid[y * gridSide + x];
                covered += mark == 0;
                mark = 1;
            }
        }
    }
    return covered;
}
}  // namespace

float meanOutlineRadius(const std::vector<glm::vec3>& triangles, glm::vec3 center) {
    float radius = 0.0f;
    for (const glm::vec3& point : triangles) radius = std::max(radius, glm::length(point - center));
    if (!(radius > 0.0f) || !std::isfinite(radius)) return 0.0f;
    std::vector<unsigned char> grid(gridSide * gridSide);
    const float goldenAngle = 3.14159265f * (3.0f - std::sqrt(5.0f));
    double cells = 0.0;
    for (int i = 0; i < viewCount; ++i) {
        // Fibonacci points: equal steps of z give equal areas of the half sphere.
        const float z = 1.0f - (i + 0.5f) / viewCount;
        const float ring = std::sqrt(1.0f - z * z);
        const glm::vec3 direction(ring * std::cos(goldenAngle * i), ring * std::sin(goldenAngle * i), z);
        cells += coveredCells(triangles, center, radius, direction, grid);
    }
    const double cellSide = 2.0 * radius / gridSide;
    const double area = cells / viewCount * cellSide * cellSide;
    return static_cast<float>(std::sqrt(area / 3.14159265358979));
}

float meanOutlineRadius(const Model& model) {
    const std::vector<glm::vec3>& positions = world.sharedVertices.positions;
    std::vector<glm::vec3> triangles;
    for (size_t mesh = 0; mesh < model.meshFirstVertex.size() && mesh < model.meshVertexCount.size(); ++mesh) {
        const size_t first = static_cast<size_t>(std::max(0, model.meshFirstVertex[mesh]));
        const size_t end = std::min(positions.size(), first + std::max(0, model.meshVertexCount[mesh]));
        if (first + 3 > end) continue;
        // Whole faces only, so that the next mesh's triangles stay aligned.
        triangles.insert(triangles.end(), positions.begin() + first, positions.begin() + first + (end - first) / 3 * 3);
    }
    return meanOutlineRadius(triangles, model.center);
}
