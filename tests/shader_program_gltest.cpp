// Every way building a program ends the process, and GL error reports. Programs that build are
// proven by the rendering tests.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "app/gl_errors.h"
#include "assets/shader_program.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"

namespace {
const char* const vertexSource = R"(#version 410 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); })";

struct ShaderFiles : ::testing::Test {
    std::string dir = scratchDirectory();
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "fast");  // the child keeps this test's temporary files
        sharedGlContext();
    }
    std::string write(const std::string& name, const std::string& text) {
        writeBytes(dir + name, text);
        return dir + name;
    }
};

// Fatal messages go to stdout and death tests match stderr, so join them; an empty input ends the pause.
void buildExpectingFailure(const std::string& vertex, const std::string& fragment) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (!std::freopen("/dev/null", "r", stdin)) return;
    ShaderProgram program(vertex, fragment);
}
}  // namespace

// A missing or unreadable file is reported before the next one is opened; a compile failure prints the path then
// the driver's log on its own line; a link failure prints the log. Each pauses and exits with 255.
TEST_F(ShaderFiles, EveryBuildFailureExitsWith255AndSaysWhy) {
    const std::string vertex = write("b.vert", vertexSource);
    const std::string broken = write("broken.frag", "#version 410 core\nvoid main() { oops }\n");
    const std::string unresolved = write("g.frag", "#version 410 core\nvec3 neverDefined();\nout vec4 fragColor;\n"
                                                   "void main() { fragColor = vec4(neverDefined(), 1.0); }\n");
    EXPECT_EXIT(buildExpectingFailure(dir + "missing.vert", dir + "missing.frag"), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to open shader file: " + dir + "missing.vert\nPress Enter");
    // A directory opens like a file but cannot be read.
    mkdir((dir + "folder.vert").c_str(), 0700);
    EXPECT_EXIT(buildExpectingFailure(dir + "folder.vert", broken), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to open shader file: " + dir + "folder.vert\nPress Enter");
    EXPECT_EXIT(buildExpectingFailure(vertex, broken), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to compile shader \\(" + broken + "\n[^\n]*[Ee]rror[^\n]*");
    EXPECT_EXIT(buildExpectingFailure(vertex, unresolved), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to link shader program\n[^\n]*neverDefined");
}

TEST(InfoLog, EmptyLogGivesAnEmptyLineAndNothingPastTheBufferIsRead) {
    EXPECT_EQ(infoLogText(nullptr, 0), "");
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(infoLogText(unterminated, 3), "abc");
    EXPECT_EQ(infoLogText("abc\0def", 8), "abc");
}

TEST(GlErrorReport, OneErrorPerCallWithItsMessageOnStandardError) {
    sharedGlContext();
    glViewport(0, 0, -1, -1);
    ::testing::internal::CaptureStderr();
    reportGlError();
    reportGlError();
    glEnable(0xFFFF);
    reportGlError();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "GL: Numeric argument out of range.\nGL: enum argument out of range.\n");
}
