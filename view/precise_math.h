#pragma once
// Single-precision arguments, double-precision evaluation, single-precision results.

#include <cmath>

#include <glm/glm.hpp>

inline float sinF(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
inline float cosF(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }
inline float tanF(float x) { return static_cast<float>(std::tan(static_cast<double>(x))); }
inline float asinF(float x) { return static_cast<float>(std::asin(static_cast<double>(x))); }
inline float atan2F(float y, float x) {
    return static_cast<float>(std::atan2(static_cast<double>(y), static_cast<double>(x)));
}
inline float sqrtF(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }

// Vector lengths with the same double-precision square root.
inline float lengthF(glm::vec3 v) { return sqrtF(v.x * v.x + v.y * v.y + v.z * v.z); }
inline float distanceF(glm::vec3 a, glm::vec3 b) { return lengthF(a - b); }
inline glm::vec3 normalizeF(glm::vec3 v) { return v / lengthF(v); }
