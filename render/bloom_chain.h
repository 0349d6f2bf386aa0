#pragma once
// Bloom by a chain of ever smaller targets: the glow is halved level by level (filtered so that
// small bright objects do not flicker, the first halving weighing brightness down so that a
// single very bright pixel cannot dominate), then the levels are added back up through a small
// tent, each into the one twice its size. The composite adds the largest level times the strength.
// Like the blur passes it works only where the glow can reach.

#include "render/bloom.h"

// Full-size pixels the chain can carry glow: each halving reaches two texels of the level above it,
// each step up radius texels (and one for the bilinear fetch) of the smaller level.
int chainReach(const TechniqueParameters& parameters);
// Builds the halving and the adding-up programs into programs.
void createBloomChainPrograms(PostPrograms& programs);
// Runs the chain over area (full-size pixels of the glow target; empty: draws nothing), making the
// levels first where they are missing or of another size. Leaves the sum in the first level.
void runBloomChain(PictureTargets& targets, const PostPrograms& programs, const TechniqueParameters& parameters,
                   PixelRect area);
// The stage: the chain over the area the picture's glowing objects can reach (reference frames:
// the whole target); then the composite adds the first level there.
void bloomChainStage(const Picture& picture, unsigned framebuffer);
// The levels' view: level 1 at the lower left at its own size, each next one to the right of the one
// before, half as large, as the last run left them.
void drawBloomLevels(const Picture& picture);
// Where the view shows level (from 0) of a picture of this size, bottom row 0.
PixelRect bloomLevelTile(int level, int width, int height);
