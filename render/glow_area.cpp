#include "render/glow_area.h"

#include <algorithm>
#include <cmath>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "game/world.h"
#include "view/frustum.h"

namespace {
bool selfLitModel(const Model* model) { return model && model->program && model->program->selfLit; }

// Pixels covered by the view-space sphere's bounding box; the whole target when the sphere
// reaches the near plane, nothing when it lies wholly behind it.
PixelRect sphereArea(glm::vec3 centre, float radius, const glm::mat4& projection, int width, int height) {
    if (centre.z - radius >= -nearDistance) return {};
    if (centre.z + radius >= -nearDistance) return {0, 0, width, height};
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

// Pixels the model can cover when drawn with the object's transform.
PixelRect modelArea(const SceneObject& object, const Model* model, const glm::mat4& view,
                    const glm::mat4& projection, int width, int height) {
    if (!model) return {};
    const glm::mat4 matrix = view * object.transform * model->modelMatrix;
    const glm::vec3 centre(matrix * glm::vec4(model->center, 1.0f));
    const float radius = glm::length(glm::vec3(matrix * glm::vec4(model->farthestVertex, 1.0f)) - centre);
    return sphereArea(centre, radius, projection, width, height);
}
}  // namespace

bool glows(const SceneObject& object) { return selfLitModel(object.model) || selfLitModel(object.lodModel); }

PixelRect unite(PixelRect a, PixelRect b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

PixelRect glowArea(const std::vector<SceneObject*>& objects, const glm::mat4& view, const glm::mat4& projection,
                   int reach, int width, int height) {
    PixelRect area;
    for (const SceneObject* object : objects) {
        if (!glows(*object)) continue;
        const PixelRect covered = unite(modelArea(*object, object->model, view, projection, width, height),
                                        modelArea(*object, object->lodModel, view, projection, width, height));
        if (covered.empty()) continue;
        // Clipped before uniting: a glow off one edge must not stretch the area along that edge.
        const PixelRect reached{std::max(covered.x0 - reach, 0), std::max(covered.y0 - reach, 0),
                                std::min(covered.x1 + reach, width), std::min(covered.y1 + reach, height)};
        area = unite(area, reached);
    }
    return area.empty() ? PixelRect{} : area;
}
