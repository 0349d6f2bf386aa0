#include "app/frame_stats.h"

#include <cstdio>
#include <ostream>

#include "game/world.h"
#include "render/pass_timer.h"

namespace {
void printPassTimes(PassTimer& timer, std::ostream& out) {
    double ms[renderPassCount];
    takeAverages(timer, ms);
    out << "passes:";
    for (int pass = 0; pass < renderPassCount; ++pass) {
        if (pass >= alwaysReportedPasses && ms[pass] == 0.0) continue;  // a stage that did not run
        char part[64];
        std::snprintf(part, sizeof part, "%s %s %.2f ms", pass ? "," : "", renderPassNames[pass], ms[pass]);
        out << part;
    }
    out << std::endl;
}
}  // namespace

void printCullingStats(std::ostream& out) {
    if (!world.settings.frustumCulling) return;
    out << "Culled " << world.culledCount << " of " << static_cast<unsigned>(world.allObjects.size())
        << " Objects." << std::endl;
}

void countFrame(FrameStats& stats, double now, std::ostream& out) {
    stats.frames += 1;
    if (now - stats.lastStats <= 1.0) return;
    stats.lastStats = now;
    printCullingStats(out);
    if (world.settings.printFrameStats) {
        out << "fps: ~ " << stats.frames << std::endl;
        out << "avg frame time: " << 1000.0f / static_cast<float>(stats.frames) << " ms" << std::endl;
    }
    if (stats.passTimer) printPassTimes(*stats.passTimer, out);
    stats.frames = 0;
}

void restartReportSecond(FrameStats& stats, double now) {
    stats.lastStats = now;
    stats.frames = 0;
}
