#pragma once
// The once-per-second console report: culling count and frame statistics.

#include <iosfwd>

struct PassTimer;

// Frame counting between reports; times are glfwGetTime seconds.
struct FrameStats {
    double lastStats = 0.0;  // time of the last report
    int frames = 0;          // frames since the last report, including the current one
    PassTimer* passTimer = nullptr;  // when set, each report ends with the passes' GPU times
};

// Writes "Culled N of M Objects." while culling is on.
void printCullingStats(std::ostream& out);
// Counts this frame; more than a second after the last report, writes the culling line and,
// while frame printing is on, the fps and average frame time lines, then (with a pass timer) the
// passes line, then restarts the count.
void countFrame(FrameStats& stats, double now, std::ostream& out);
// Starts the report's second afresh at now, with no frame counted: time spent waiting belongs to no report.
void restartReportSecond(FrameStats& stats, double now);
