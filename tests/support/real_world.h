#pragma once
// The real world for GL tests, set up as the game starts.

struct FrameContext;

// Sets up the world of a program start (whose random generator is never seeded) through the game's
// own start-up, on the shared window, and keeps it as the start of every scenario.
void setUpRealWorld(FrameContext& context);
