#pragma once
// Round stand-ins for models, and a tolerant comparison of points.

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "assets/model.h"

// A model whose bounding sphere is centred on its origin with this radius.
inline Model sphereOfRadius(float radius, glm::mat4 modelMatrix = glm::mat4(1.0f)) {
    Model model(glm::scale(modelMatrix, glm::vec3(radius)));
    model.farthestVertex = glm::vec3(1, 0, 0);
    model.hasGeometry = true;
    return model;
}

inline void expectNear(glm::vec3 actual, glm::vec3 expected, float tolerance = 1e-4f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
