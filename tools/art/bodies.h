#pragma once
// Round bodies: the smooth unit sphere, the planet and the asteroid.

#include "art/mesh.h"

// Smooth unit sphere for the light, the orbit sphere and the asteroids' distant stand-in.
Mesh unitSphereMesh();

// Unit sphere with more segments, since it is drawn sixty times larger.
Mesh planetMesh();

// Lumpy, cratered rock whose farthest vertex is one unit from its centre.
Mesh asteroidMesh();
