#include "view/frustum.h"

#include <algorithm>

#include "game/world.h"
#include "view/bounds.h"
#include "view/precise_math.h"

namespace {
// The plane through three corners; the winding makes the normal point outwards.
Plane planeThrough(glm::vec3 k1, glm::vec3 k2, glm::vec3 k3) {
    const glm::vec3 normal = normalizeF(glm::cross(k1 - k2, k3 - k2));
    return Plane{normal, k2, -glm::dot(normal, k2)};
}
}  // namespace

float cameraAspect() {
    // A framebuffer of no height draws nothing; its aspect only has to stay finite.
    return static_cast<float>(world.frameWidth) / static_cast<float>(std::max(world.frameHeight, 1));
}

float viewHalfAngle(float fieldOfView) { return glm::radians(fieldOfView) * 0.5f; }

void Frustum::updateFrustum(glm::vec3 eye, glm::vec3 lookAt, glm::vec3 up, float fieldOfView) {
    const float tang = tanF(viewHalfAngle(fieldOfView));
    const float aspect = cameraAspect();
    const float nh = nearDistance * tang;
    const float nw = nh * aspect;
    const float fh = farDistance * tang;
    const float fw = fh * aspect;

    // Z points backwards, away from the view.
    const glm::vec3 Z = normalizeF(eye - lookAt);
    const glm::vec3 X = normalizeF(glm::cross(up, Z));
    const glm::vec3 Y = glm::cross(Z, X);

    const glm::vec3 nc = eye - Z * nearDistance;
    const glm::vec3 fc = eye - Z * farDistance;
    const glm::vec3 ntl = nc + Y * nh - X * nw;
    const glm::vec3 ntr = nc + Y * nh + X * nw;
    const glm::vec3 nbl = nc - Y * nh - X * nw;
    const glm::vec3 nbr = nc - Y * nh + X * nw;
    const glm::vec3 ftl = fc + Y * fh - X * fw;
    const glm::vec3 fbl = fc - Y * fh - X * fw;
    const glm::vec3 fbr = fc - Y * fh + X * fw;

    planes[FrustumTop] = planeThrough(ntr, ntl, ftl);
    planes[FrustumBottom] = planeThrough(nbl, nbr, fbr);
    planes[FrustumLeft] = planeThrough(ntl, nbl, fbl);
    planes[FrustumRight] = planeThrough(nbr, ntr, fbr);
    planes[FrustumNear] = planeThrough(ntl, ntr, nbr);
    planes[FrustumFar] = Plane{-Z, fbl, -glm::dot(-Z, fbl)};
}

bool isInFrustum(const Frustum& frustum, const SceneObject& object) {
    const glm::vec3 center = worldCenter(object);
    const float radius = worldRadius(object);
    for (const Plane& plane : frustum.planes) {
        // Written as "beyond" so that a NaN distance never culls.
        if (glm::dot(plane.normal, center) + plane.d > radius) return false;
    }
    return true;
}
