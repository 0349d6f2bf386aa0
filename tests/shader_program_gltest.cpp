// Building programs from shader files, and every way building them ends the process.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/gl_errors.h"
#include "assets/shader_program.h"
#include "tests/support/gl_context.h"

namespace {
const char* const vertexSource = R"(#version 410 core
layout(location = 0) in vec3 position;
out vec3 colour;
void main() { colour = position; gl_Position = vec4(position, 1.0); })";
const char* const fragmentSource = R"(#version 410 core
in vec3 colour;
out vec4 fragColor;
void main() { fragColor = vec4(colour, 1.0); })";
const char* const geometrySource = R"(#version 410 core
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
in vec3 colour[];
out vec3 passed;
void main() {
    for (int i = 0; i < 3; ++i) { passed = colour[i]; gl_Position = gl_in[i].gl_Position; EmitVertex(); }
    EndPrimitive();
})";
const char* const geometryFragmentSource = R"(#version 410 core
in vec3 passed;
out vec4 fragColor;
void main() { fragColor = vec4(passed, 1.0); })";

struct ShaderFiles : ::testing::Test {
    std::string dir;
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "fast");  // the child keeps this test's temporary files
        sharedGlContext();
        char pattern[] = "/tmp/shadersXXXXXX";
        dir = mkdtemp(pattern);
    }
    void TearDown() override { std::system(("rm -rf " + dir).c_str()); }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
};

// Console output of a fatal path goes to stdout; death tests match stderr, so join them, and
// give the pause an empty input so it ends at once.
void buildExpectingFailure(const std::string& vertex, const std::string& fragment, const std::string& geometry = "") {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    if (!std::freopen("/dev/null", "r", stdin)) return;
    if (geometry.empty()) ShaderProgram program(vertex, fragment);
    else ShaderProgram program(vertex, fragment, geometry);
}

int attachedShaderCount(GLuint program) {
    GLint count = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &count);
    return count;
}
}  // namespace

TEST_F(ShaderFiles, TwoStagesLinkWithFragColorOnOutputZero) {
    ShaderProgram program(write("a.vert", vertexSource), write("a.frag", fragmentSource));
    ASSERT_NE(program.programId, 0u);
    EXPECT_FALSE(program.hasGeometryShader);
    GLint linked = 0;
    glGetProgramiv(program.programId, GL_LINK_STATUS, &linked);
    EXPECT_TRUE(linked);
    EXPECT_EQ(attachedShaderCount(program.programId), 2);
    EXPECT_EQ(glGetFragDataLocation(program.programId, "fragColor"), 0);
    EXPECT_TRUE(glIsShader(program.vertexShader));
    EXPECT_TRUE(glIsShader(program.fragmentShader));
}

TEST_F(ShaderFiles, ThreeStagesKeepEveryShaderAttached) {
    ShaderProgram program(write("b.vert", vertexSource), write("b.frag", geometryFragmentSource),
                          write("b.geom", geometrySource));
    EXPECT_TRUE(program.hasGeometryShader);
    EXPECT_EQ(attachedShaderCount(program.programId), 3);
    GLint type = 0;
    glGetShaderiv(program.geometryShader, GL_SHADER_TYPE, &type);
    EXPECT_EQ(type, GL_GEOMETRY_SHADER);
}

TEST_F(ShaderFiles, SameFilesGiveDistinctPrograms) {
    const std::string vertex = write("c.vert", vertexSource);
    const std::string fragment = write("c.frag", fragmentSource);
    ShaderProgram first(vertex, fragment);
    ShaderProgram second(vertex, fragment);
    EXPECT_NE(first.programId, second.programId);
    EXPECT_NE(first.vertexShader, second.vertexShader);
}

TEST_F(ShaderFiles, MissingVertexFileIsReportedBeforeTheFragmentFileIsOpened) {
    const std::string vertex = dir + "/missing.vert";
    EXPECT_EXIT(buildExpectingFailure(vertex, dir + "/missing.frag"), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to open shader file: " + vertex + "\nPress Enter");
}

TEST_F(ShaderFiles, BrokenFragmentPrintsItsPathThenTheDriversLogOnItsOwnLine) {
    const std::string fragment = write("broken.frag", "#version 410 core\nvoid main() { oops }\n");
    EXPECT_EXIT(buildExpectingFailure(write("d.vert", vertexSource), fragment), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to compile shader \\(" + fragment + "\n[^\n]*[Ee]rror[^\n]*");
}

TEST_F(ShaderFiles, GeometryStageCompilesBeforeTheFragmentStage) {
    const std::string geometry = write("broken.geom", "#version 410 core\nnot glsl\n");
    EXPECT_EXIT(buildExpectingFailure(write("e.vert", vertexSource), dir + "/missing.frag", geometry),
                ::testing::ExitedWithCode(255), "(^|\n)Failed to compile shader \\(" + geometry + "\n");
}

TEST_F(ShaderFiles, EmptySourceGoesToTheCompilerNotTheOpenCheck) {
    const std::string empty = write("empty.frag", "");
    EXPECT_EXIT(buildExpectingFailure(write("f.vert", vertexSource), empty), ::testing::ExitedWithCode(255),
                "(^|\n)Failed to (compile shader \\(" + empty + "|link shader program)\n");
}

TEST_F(ShaderFiles, UnresolvedFunctionFailsToLinkWithTheLog) {
    const std::string fragment = write("g.frag", "#version 410 core\nvec3 neverDefined();\nout vec4 fragColor;\n"
                                                 "void main() { fragColor = vec4(neverDefined(), 1.0); }\n");
    EXPECT_EXIT(buildExpectingFailure(write("g.vert", vertexSource), fragment), ::testing::ExitedWithCode(255),
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
