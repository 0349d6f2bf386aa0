// The once-per-second console report and the GL error messages.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include <sstream>

#include "app/frame_stats.h"
#include "app/gl_errors.h"
#include "game/world.h"

namespace {
struct FrameReport : ::testing::Test {
    std::ostringstream out;
    FrameStats stats;
    void SetUp() override {
        world = World{};
        world.allObjects.resize(80, nullptr);
    }
};
}  // namespace

TEST_F(FrameReport, ReportsOnlyStrictlyAfterOneSecondAndCountsTheReportingFrame) {
    countFrame(stats, 0.5, out);
    countFrame(stats, 1.0, out);
    EXPECT_EQ(out.str(), "");
    countFrame(stats, 1.0001, out);
    EXPECT_EQ(out.str(), "Culled 0 of 80 Objects.\nfps: ~ 3\navg frame time: 333.333 ms\n");
    EXPECT_EQ(stats.frames, 0);
    EXPECT_DOUBLE_EQ(stats.lastStats, 1.0001);
}

TEST_F(FrameReport, CullingLineUsesTheLastCountAndComesFirst) {
    world.culledCount = 17;
    for (int i = 0; i < 4; ++i) countFrame(stats, 0.25 * i, out);
    countFrame(stats, 1.5, out);
    EXPECT_EQ(out.str(), "Culled 17 of 80 Objects.\nfps: ~ 5\navg frame time: 200 ms\n");
}

TEST_F(FrameReport, FrameLinesOffStillResetTheCount) {
    world.settings.printFrameStats = false;
    countFrame(stats, 2.0, out);
    EXPECT_EQ(out.str(), "Culled 0 of 80 Objects.\n");
    EXPECT_EQ(stats.frames, 0);
}

TEST_F(FrameReport, SilentWithCullingAndFrameLinesOff) {
    world.settings.printFrameStats = false;
    world.settings.frustumCulling = false;
    countFrame(stats, 2.0, out);
    countFrame(stats, 4.0, out);
    EXPECT_EQ(out.str(), "");
}

TEST(GlErrorMessages, EveryCodeHasItsMessage) {
    EXPECT_STREQ(glErrorMessage(GL_INVALID_ENUM), "GL: enum argument out of range.");
    EXPECT_STREQ(glErrorMessage(GL_INVALID_VALUE), "GL: Numeric argument out of range.");
    EXPECT_STREQ(glErrorMessage(GL_INVALID_OPERATION), "GL: Operation illegal in current state.");
    EXPECT_STREQ(glErrorMessage(GL_OUT_OF_MEMORY), "GL: Not enough memory left to execute command.");
    EXPECT_STREQ(glErrorMessage(GL_INVALID_FRAMEBUFFER_OPERATION), "GL: Framebuffer object is not complete.");
    EXPECT_STREQ(glErrorMessage(GL_STACK_OVERFLOW), "GL: Unknown error.");
    EXPECT_STREQ(glErrorMessage(0x1234), "GL: Unknown error.");
}
