#pragma once
// The sky cube: a star field with faint nebulae, computed from directions so the faces meet.

#include <array>

#include <glm/glm.hpp>

#include "art/image.h"

// Cube faces in OpenGL's order: +X, -X, +Y, -Y, +Z, -Z.
constexpr int kCubeFaceCount = 6;

// Unit direction of texel (column, row) of a face `size` texels wide, with row 0 at t = 0 as
// OpenGL's face table defines s and t. The outermost texels lie exactly on the cube's edges,
// so texels on a shared edge get the same direction, and hence the same colour, on both faces.
glm::dvec3 cubeTexelDirection(int face, int column, int row, int size);

std::array<Image, kCubeFaceCount> skyFaces(int size);
