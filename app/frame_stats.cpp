#include "app/frame_stats.h"

#include <ostream>

#include "game/world.h"

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
    stats.frames = 0;
}
