#pragma once
// Time of each render pass: GPU timer queries read back two frames later, so that asking never
// waits for the GPU; or, exact, the wall time from a finished GPU to the pass finished.

#include "game/passes.h"

// The exact timer's defaults: glFinish, and a steady clock in seconds.
void finishGpuWork();
double steadyClockSeconds();

struct PassTimer {
    static constexpr int frameSlots = 3;              // frames in flight before a slot is read
    unsigned queries[frameSlots][renderPassCount] = {};
    bool issued[frameSlots][renderPassCount] = {};    // began in that slot's frame
    int slot = 0;                                     // the current frame's slot
    double lastMs[renderPassCount] = {};              // the latest frame read back (0 for a pass not run)
    bool lastValid = false;                           // lastMs holds a frame read back
    double sumMs[renderPassCount] = {};               // since the last takeAverages
    int summedFrames = 0;
    // Finish the earlier work before a pass starts and the pass before the next one, timing each
    // on the clock: a driver that draws lazily (llvmpipe) times whatever work a query happens to
    // flush, so its queries put one pass's cost in another's. Costs the overlap of CPU and GPU.
    bool exact = false;
    void (*waitForGpu)() = finishGpuWork;             // how the exact timer finishes the work so far
    double (*readClock)() = steadyClockSeconds;       // and reads the time, in seconds
    int exactPass = 0;                                // the pass being timed exactly
    double exactStart = 0.0;                          // seconds, when it began
    double exactMs[renderPassCount] = {};             // this frame's exact times
};

// Generates the queries; the timer is exact or not as asked.
void createPassTimer(PassTimer& timer, bool exact = false);
// Starts or ends timing the pass in the current frame; a null timer does nothing.
void beginPass(PassTimer* timer, RenderPass pass);
void endPass(PassTimer* timer);
// Ends the frame: reads back the oldest slot's results if they are ready, and moves on.
void finishTimedFrame(PassTimer* timer);
// Milliseconds per frame of each pass averaged since the last call; restarts the average.
void takeAverages(PassTimer& timer, double (&averageMs)[renderPassCount]);
