#pragma once
// Enemies fly straight at the craft, sidestepping the first obstacle in their way.

// One pursuit step of every enemy.
void pursuePlayer(float dt);
