#pragma once
// The guided views' own arrangements (Arrangement in game/world.h): shapes made in code, placed
// near the light or far below the field.

struct Model;
struct ShaderProgram;

// Stages the box and the square the arrangements are made of; call before the shared vertices are
// uploaded. Returns them through box and square, for placeArrangements.
void stageArrangementShapes(Model*& box, Model*& square);
// Places every arrangement, the box as the slab's pieces and the square as the checkered plane
// (the test card shares its geometry): the slab's pieces lit and shadowed like the field (rock: the
// asteroid model and its program), the planes lit but never shadowed, since the field far above
// would blot them. Fills world.arranged, world.castersWithSlab and world.postBase.
void placeArrangements(Model* box, Model* square, Model* rockModel);
