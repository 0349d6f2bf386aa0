#pragma once
// The size a model shows on screen, measured once from its geometry: what a round low-detail
// stand-in must match so that a rock neither grows nor shrinks where it switches models.

#include <vector>

#include <glm/glm.hpp>

struct Model;

// Radius of the disc as large as the silhouette of the triangles (three positions each) about
// center, in orthographic views averaged over evenly spread directions; 0 without any area.
float meanOutlineRadius(const std::vector<glm::vec3>& triangles, glm::vec3 center);
// The same for a model's meshes in the shared vertex buffer (after the upload), about its center.
float meanOutlineRadius(const Model& model);
