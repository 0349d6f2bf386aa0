#pragma once
// GPU time of each render pass from timer queries, read back two frames later so that asking
// never waits for the GPU.

enum class RenderPass { Shadow, Scene, Blur, Composite };
constexpr int renderPassCount = 4;

struct PassTimer {
    static constexpr int frameSlots = 3;              // frames in flight before a slot is read
    unsigned queries[frameSlots][renderPassCount] = {};
    bool issued[frameSlots][renderPassCount] = {};    // began in that slot's frame
    int slot = 0;                                     // the current frame's slot
    double lastMs[renderPassCount] = {};              // the latest frame read back (0 for a pass not run)
    bool lastValid = false;                           // lastMs holds a frame read back
    double sumMs[renderPassCount] = {};               // since the last takeAverages
    int summedFrames = 0;
};

// Generates the queries.
void createPassTimer(PassTimer& timer);
// Starts or ends timing the pass in the current frame; a null timer does nothing.
void beginPass(PassTimer* timer, RenderPass pass);
void endPass(PassTimer* timer);
// Ends the frame: reads back the oldest slot's results if they are ready, and moves on.
void finishTimedFrame(PassTimer* timer);
// Milliseconds per frame of each pass averaged since the last call; restarts the average.
void takeAverages(PassTimer& timer, double (&averageMs)[renderPassCount]);
