#pragma once
// Where the glow output can be non-zero: the screen rectangle of the self-lit objects.

#include <glm/glm.hpp>

#include <vector>

#include "game/records.h"

struct SceneObject;

// True when the object is drawn with a self-lit program, at either level of detail.
bool glows(const SceneObject& object);

// The pixels the glowing objects can cover seen through view and projection, widened by reach on
// every side and clipped to the target of width x height; positions are every model's vertices.
PixelRect glowArea(const std::vector<SceneObject*>& objects, const std::vector<glm::vec3>& positions,
                   const glm::mat4& view, const glm::mat4& projection, int reach, int width, int height);

// The smallest rectangle holding both.
PixelRect unite(PixelRect a, PixelRect b);
