#include "render/glow_area.h"

#include <algorithm>
#include <cmath>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "view/frustum.h"

namespace {
bool selfLitModel(const Model* model) { return model && model->program && model->program->selfLit; }

// Pixels covered by the bounding box of a view-space sphere that lies wholly beyond the near
// plane; nothing when it lies wholly before it.
PixelRect sphereArea(glm::vec3 centre, float radius, const glm::mat4& projection, int width, int height) {
    if (centre.z - radius >= -nearDistance) return {};
    glm::vec2 low(INFINITY), high(-INFINITY);
    for (int corner = 0; corner < 8; ++corner) {
        const glm::vec3 offset((corner & 1) ? radius : -radius, (corner & 2) ? radius : -radius,
                               (corner & 4) ? radius : -radius);
        const glm::vec4 clip = projection * glm::vec4(centre + offset, 1.0f);
        const glm::vec2 pixel = (glm::vec2(clip) / clip.w * 0.5f + 0.5f) * glm::vec2(width, height);
        low = glm::min(low, pixel);
        high = glm::max(high, pixel);
    }
    // A pixel more on each side absorbs rounding in the projection.
    return {static_cast<int>(std::floor(low.x)) - 1, static_cast<int>(std::floor(low.y)) - 1,
            static_cast<int>(std::ceil(high.x)) + 1, static_cast<int>(std::ceil(high.y)) + 1};
}

// Whether back-face culling may keep the view-space triangle: counter-clockwise seen from the eye
// at the origin, with some slack, so that no triangle the GPU draws is missed.
bool mayFaceEye(const glm::vec3 (&corner)[3]) {
    const glm::vec3 normal = glm::cross(corner[1] - corner[0], corner[2] - corner[0]);
    return glm::dot(normal, -corner[0]) >= -1e-4f * glm::length(normal) * glm::length(corner[0]);
}

// Pixels covered by the model's triangles that face the eye: what is drawn of an object the eye is
// inside of or close to, whose bounding sphere covers the whole view. The whole target when such a
// triangle reaches the near plane.
PixelRect drawnArea(const Model& model, const std::vector<glm::vec3>& positions, const glm::mat4& matrix,
                    const glm::mat4& projection, int width, int height) {
    const PixelRect whole{0, 0, width, height};
    glm::vec2 low(INFINITY), high(-INFINITY);
    for (size_t mesh = 0; mesh < model.meshFirstVertex.size(); ++mesh) {
        const size_t first = static_cast<size_t>(model.meshFirstVertex[mesh]);
        const size_t end = first + static_cast<size_t>(model.meshVertexCount[mesh]);
        if (end > positions.size()) return whole;
        for (size_t vertex = first; vertex + 2 < end; vertex += 3) {
            glm::vec3 corner[3];
            int hidden = 0, shown = 0;  // corners clearly on either side of the near plane
            for (int k = 0; k < 3; ++k) {
                corner[k] = glm::vec3(matrix * glm::vec4(positions[vertex + k], 1.0f));
                hidden += corner[k].z > -nearDistance * 0.999f;
                shown += corner[k].z < -nearDistance * 1.001f;
            }
            if (hidden == 3 || !mayFaceEye(corner)) continue;
            if (shown < 3) return whole;
            for (const glm::vec3& point : corner) {
                const glm::vec4 clip = projection * glm::vec4(point, 1.0f);
                const glm::vec2 pixel = (glm::vec2(clip) / clip.w * 0.5f + 0.5f) * glm::vec2(width, height);
                low = glm::min(low, pixel);
                high = glm::max(high, pixel);
            }
        }
    }
    if (low.x > high.x) return {};
    // A pixel more on each side absorbs rounding in the projection.
    return {static_cast<int>(std::floor(low.x)) - 1, static_cast<int>(std::floor(low.y)) - 1,
            static_cast<int>(std::ceil(high.x)) + 1, static_cast<int>(std::ceil(high.y)) + 1};
}

// Pixels the model can cover when drawn with the object's transform: its bounding sphere's, or,
// where that reaches the near plane, its triangles'.
PixelRect modelArea(const SceneObject& object, const Model* model, const std::vector<glm::vec3>& positions,
                    const glm::mat4& view, const glm::mat4& projection, int width, int height) {
    if (!model) return {};
    const glm::mat4 matrix = view * object.transform * model->modelMatrix;
    const glm::vec3 centre(matrix * glm::vec4(model->center, 1.0f));
    const float radius = glm::length(glm::vec3(matrix * glm::vec4(model->farthestVertex, 1.0f)) - centre);
    if (centre.z - radius < -nearDistance && centre.z + radius >= -nearDistance) {
        return drawnArea(*model, positions, matrix, projection, width, height);
    }
    return sphereArea(centre, radius, projection, width, height);
}
}  // namespace

bool glows(const SceneObject& object) { return selfLitModel(object.model) || selfLitModel(object.lodModel); }

PixelRect unite(PixelRect a, PixelRect b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelRect glowArea(const std::vector<SceneObject*>& objects, const std::vector<glm::vec3>& positions,
                   const glm::mat4& view, const glm::mat4& projection, int reach, int width, int height) {
    PixelRect area;
    for (const SceneObject* object : objects) {
        if (!glows(*object)) continue;
        const PixelRect covered = unite(modelArea(*object, object->model, positions, view, projection, width, height),
                                        modelArea(*object, object->lodModel, positions, view, projection, width, height));
        if (covered.empty()) continue;
        // Clipped before uniting: a glow off one edge must not stretch the area along that edge.
        const PixelRect reached{std::max(covered.x0 - reach, 0), std::max(covered.y0 - reach, 0),
                                std::min(covered.x1 + reach, width), std::min(covered.y1 + reach, height)};
        area = unite(area, reached);
    }
    return area.empty() ? PixelRect{} : area;
}
