// The once-per-second console report and driver logs.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/frame_stats.h"
#include "app/overlay.h"
#include "assets/shader_program.h"
#include "game/world.h"
#include "render/pass_timer.h"

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

// A lazy GPU, as llvmpipe is: queued work is done, and its time passes, only when waited for.
namespace lazyGpu {
double clock = 0.0, queued = 0.0;
void finish() { clock += queued, queued = 0.0; }
}  // namespace lazyGpu

// Exact pass times are each pass's own work: not the previous frame's, nor the next pass's.
TEST(PassTimes, ExactTimesAreEachPassesOwnWork) {
    PassTimer timer;
    timer.exact = true;
    timer.waitForGpu = lazyGpu::finish;
    timer.readClock = [] { return lazyGpu::clock; };
    lazyGpu::queued = 0.002;  // the last frame's overlay
    const double seconds[renderPassCount] = {0.001, 0.003, 0.0, 0.005};
    for (int pass = 0; pass < renderPassCount; ++pass) {
        beginPass(&timer, static_cast<RenderPass>(pass));
        lazyGpu::queued += seconds[pass];
        endPass(&timer);
    }
    finishTimedFrame(&timer);
    for (int pass = 0; pass < renderPassCount; ++pass) EXPECT_NEAR(timer.lastMs[pass], seconds[pass] * 1e3, 1e-9);
}

// A driver's log may be empty or lack its terminator; a compile log's locations name their files.
TEST(GlMessages, DriverLogs) {
    EXPECT_EQ(infoLogText(nullptr, 0), "");
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(infoLogText(unterminated, 3), "abc");
    EXPECT_EQ(infoLogText("abc\0def", 8), "abc");
    EXPECT_EQ(logNamingFiles("1:47(1): error: a\n0:12(3): error: b\n10:2(1): c\nd 0:1(1):\n0:5(2): e", "S/x.frag"),
              "Shader/ShadowLookup.glsl:47(1): error: a\nS/x.frag:12(3): error: b\n10:2(1): c\nd 0:1(1):\nS/x.frag:5(2): e");
}

// The renderer reads the game only through what a frame hands it: no file under render/ names the
// global world or includes its header, every scene and settings a render function takes is const, and the passes' names
// are written only in their one table.
TEST(Structure, PassesTakeTheSceneAndTheSettingsAndNameThemselvesOnce) {
    for (const char* folder : {"app", "game", "render", "view", "assets", "tools"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(std::string(QUORLAX_SOURCE_DIR "/") + folder)) {
            const std::string path = entry.path().string(), ending = entry.path().extension().string();
            if (ending != ".h" && ending != ".cpp") continue;
            std::ifstream file(path);
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            const bool render = folder == std::string("render");
            EXPECT_FALSE(render && std::regex_search(text, std::regex("\\bworld\\b"))) << path << " names the world";
            for (const std::string type : {"Scene&", "RenderSettings&"}) {
                for (size_t at = text.find(type); render && at != std::string::npos; at = text.find(type, at + 1)) {
                    EXPECT_EQ(text.compare(at - 6, 6, "const "), 0) << path << " takes a " << type;
                }
            }
            const bool named = text.find("\"blur\"") != std::string::npos || text.find("\"composite\"") != std::string::npos;
            EXPECT_EQ(named, path.find("game/passes.h") != std::string::npos) << path;
        }
    }
}
