#pragma once
// Diffuse textures of the models. Sphere textures are equirectangular in sphereDirection's
// coordinates; hull textures tile and stay light so the material colour shows through.

#include <cstdint>

#include "art/image.h"

// Grey hull plating: panel lines on a grid of cells, some panels spanning several cells.
struct HullStyle {
    int cellWidth;   // pixels; divides the texture size so the pattern tiles
    int cellHeight;  // pixels; likewise
    std::uint32_t seed;
    bool stripes;  // a band of diagonal warning stripes
    bool vents;    // dark round vents on some panels
};

Image hullTexture(const HullStyle& style);

// Oceans, continents, ice caps and clouds.
Image planetTexture();

// Mottled grey-brown stone with dark specks.
Image rockTexture();

// The same rock, for the sphere that stands in for distant asteroids (and, tinted by their glow,
// for the light's sphere and the orbiting sphere).
Image sphereTexture();
