#pragma once
// A linked GL program built from two or three files under Shader/.
// Any failure to read, compile or link is fatal: the failure handler gets the message and must end
// the process (the game's pauses and exits with status -1).

#include <GL/glew.h>

#include <string>

// Lines that each stage of a program gets after its #version line: a variant of one source file.
struct ShaderVariant {
    const char* defines;  // e.g. "#define ADD_GLOW"
};

struct ShaderProgram {
    GLuint programId = 0;        // linked program
    GLuint vertexShader = 0;
    GLuint fragmentShader = 0;
    GLuint geometryShader = 0;   // meaningful only with hasGeometryShader
    bool hasGeometryShader = false;
    bool selfLit = false;        // a lit program with full ambient light and material: it glows
    bool translucent = false;    // a lit program drawing with an opacity below 1
    std::string defines;         // what each stage gets after its #version line

    // Compiles vertex then fragment stage and links.
    ShaderProgram(std::string vertexPath, std::string fragmentPath);
    // Compiles vertex then fragment stage, each with the variant's lines, and links.
    ShaderProgram(std::string vertexPath, std::string fragmentPath, ShaderVariant variant);
    // Compiles vertex, geometry, then fragment stage and links.
    ShaderProgram(std::string vertexPath, std::string fragmentPath, std::string geometryPath);

    // Compiles one stage from a file, with the shared Shader/ShadowLookup.glsl after its #version line,
    // and stores it in the field of that stage.
    void compileShader(const std::string& path, GLenum stage);
    // Attaches the stages, binds fragColor to output 0, links.
    void link();
};

// Installs what a shader failure calls with each message line; it must not return. Without one,
// the message is printed and the process aborts.
void setShaderFailureHandler(void (*handler)(const std::string& message));

// The info log as a printable string: exactly the bytes GL wrote, without its NUL; empty for length 0.
std::string infoLogText(const char* buffer, GLint length);
// A compile log with each location naming its file: Mesa's "1:47(1): error: ..." becomes
// "Shader/ShadowLookup.glsl:47(1): error: ...", source 0 the shader's path; other lines as they are.
std::string logNamingFiles(const std::string& log, const std::string& path);
