// The once-per-second console report and driver logs.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <sstream>

#include "app/frame_stats.h"
#include "app/overlay.h"
#include "assets/shader_program.h"
#include "game/world.h"

// A report comes only strictly after a second and counts its own frame; the culling line uses the
// last count and comes first; with frame lines off the count still resets.
TEST(FrameReport, OncePerSecondWithTheLinesThatAreOn) {
    const struct {
        bool frameLines, culling;
        std::vector<double> times;
        const char* expected;
    } cases[] = {
        {true, true, {0.5, 1.0}, ""},
        {true, true, {0.5, 1.0, 1.0001}, "Culled 17 of 80 Objects.\nfps: ~ 3\navg frame time: 333.333 ms\n"},
        {true, true, {0.0, 0.25, 0.5, 0.75, 1.5}, "Culled 17 of 80 Objects.\nfps: ~ 5\navg frame time: 200 ms\n"},
        {false, true, {2.0}, "Culled 17 of 80 Objects.\n"},
        {false, false, {2.0, 4.0}, ""},
    };
    for (const auto& c : cases) {
        world = World{};
        world.allObjects.resize(80, nullptr);
        world.culledCount = 17;
        world.settings.printFrameStats = c.frameLines;
        world.settings.frustumCulling = c.culling;
        FrameStats stats;
        std::ostringstream out;
        for (double time : c.times) countFrame(stats, time, out);
        EXPECT_EQ(out.str(), c.expected);
        if (*c.expected) {
            EXPECT_EQ(stats.frames, 0) << c.expected;
            EXPECT_DOUBLE_EQ(stats.lastStats, c.times.back());
        }
    }
    world = World{};
}

// The frame-time graph reaches a round figure just above the longest frame it shows.
TEST(FrameGraph, TopIsTheLongestFrameRoundedUp) {
    Overlay overlay;
    EXPECT_EQ(frameGraphTop(overlay), 10.0f);
    overlay.frameMs[3] = 1.0f;
    const std::pair<float, float> cases[] = {{7.2f, 8.0f}, {16.7f, 20.0f}, {33.3f, 40.0f}, {40.0f, 40.0f}, {120.0f, 200.0f}};
    for (const auto& [longest, top] : cases) {
        overlay.frameMs[200] = longest;
        EXPECT_FLOAT_EQ(frameGraphTop(overlay), top) << longest;
    }
}

// A driver's log may be empty or lack its terminator.
TEST(GlMessages, DriverLogs) {
    EXPECT_EQ(infoLogText(nullptr, 0), "");
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(infoLogText(unterminated, 3), "abc");
    EXPECT_EQ(infoLogText("abc\0def", 8), "abc");
}
