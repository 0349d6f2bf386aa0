#pragma once
// The two spacecraft: nose along +X, top along +Z, wings along ±Y, about one unit long.

#include "art/mesh.h"

// The player's slim swept-wing fighter.
Mesh craftMesh();

// The enemy: a broad hexagonal hull with forward prongs and a dorsal tower.
Mesh enemyMesh();
