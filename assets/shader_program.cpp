#include "assets/shader_program.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <regex>
#include <vector>

#include "render/shadow_map.h"

ShaderProgram::ShaderProgram(std::string vertexPath, std::string fragmentPath) {
    compileShader(vertexPath, GL_VERTEX_SHADER);
    compileShader(fragmentPath, GL_FRAGMENT_SHADER);
    hasGeometryShader = false;
    link();
}

ShaderProgram::ShaderProgram(std::string vertexPath, std::string fragmentPath, ShaderVariant variant)
    : defines(variant.defines) {
    compileShader(vertexPath, GL_VERTEX_SHADER);
    compileShader(fragmentPath, GL_FRAGMENT_SHADER);
    link();
}

ShaderProgram::ShaderProgram(std::string vertexPath, std::string fragmentPath, std::string geometryPath) {
    compileShader(vertexPath, GL_VERTEX_SHADER);
    compileShader(geometryPath, GL_GEOMETRY_SHADER);
    compileShader(fragmentPath, GL_FRAGMENT_SHADER);
    hasGeometryShader = true;
    link();
}

namespace {
// Until the application installs its own, a shader failure prints its message and aborts.
void (*shaderFailureHandler)(const std::string& message) = nullptr;

[[noreturn]] void failShader(const std::string& message) {
    if (shaderFailureHandler) shaderFailureHandler(message);
    std::cout << message << std::endl;
    std::abort();
}
}  // namespace

void setShaderFailureHandler(void (*handler)(const std::string& message)) { shaderFailureHandler = handler; }

std::string infoLogText(const char* buffer, GLint length) {
    if (!buffer || length <= 0) return std::string();
    // GL counts the terminating NUL in the length; never read past the buffer if it did not write one.
    return std::string(buffer, strnlen(buffer, static_cast<size_t>(length)));
}

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file as text; false when it cannot be opened or read (a directory opens but cannot be read).
bool readWholeFile(const std::string& path, std::string& text) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return false;
    char chunk[65536];
    size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) text.append(chunk, read);
    return !std::ferror(file.get());
}

// Every stage of every program gets this file's text after its first line (GLSL wants #version
// first), so the lit shaders share one shadow lookup.
constexpr char sharedShaderPath[] = "Shader/ShadowLookup.glsl";

// The source with the defines, the cube size and the shared text after its #version line. #line numbers the
// shared text as source 1 and the rest as the file's own lines, so compile errors point at them.
std::string withSharedText(const std::string& source, const std::string& defines, const std::string& shared) {
    const size_t versionEnd = std::min(source.find('\n'), source.size());  // the rest starts at its newline
    return source.substr(0, versionEnd) + "\n" + defines + "\nconst float shadowCubeSize = " +
           std::to_string(shadowCubeSize) + ".0;\n#line 1 1\n" + shared + "\n#line 2 0" + source.substr(versionEnd);
}

// Reads an info log of the reported length.
template <typename LengthQuery, typename LogQuery>
std::string infoLog(GLuint object, LengthQuery queryLength, LogQuery queryLog) {
    GLint length = 0;
    queryLength(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> buffer(length > 0 ? static_cast<size_t>(length) : 0);
    if (length > 0) queryLog(object, length, nullptr, buffer.data());
    return infoLogText(buffer.data(), length);
}

[[noreturn]] void failWithLog(const std::string& message, const std::string& log) {
    std::cout << message << std::endl;
    failShader(log);
}
}  // namespace

std::string logNamingFiles(const std::string& log, const std::string& path) {
    // Mesa's "SOURCE:LINE(COLUMN):" at the start of a line; withSharedText makes the shared file source 1.
    static const std::regex location("^[01]:[0-9]+\\([0-9]+\\):");
    std::string named;
    for (size_t start = 0; start < log.size();) {
        const size_t end = std::min(log.find('\n', start), log.size() - 1) + 1;
        const std::string line = log.substr(start, end - start);
        start = end;
        if (!std::regex_search(line, location)) named += line;
        else named += (line[0] == '1' ? sharedShaderPath : path) + line.substr(1);
    }
    return named;
}

void ShaderProgram::compileShader(const std::string& path, GLenum stage) {
    std::string source;
    if (!readWholeFile(path, source)) failShader("Failed to open shader file: " + path);
    std::string shared;
    if (!readWholeFile(sharedShaderPath, shared)) {
        failShader(std::string("Failed to open shader file: ") + sharedShaderPath);
    }
    source = withSharedText(source, defines, shared);

    const GLuint shader = glCreateShader(stage);
    if (shader == 0) failShader("Failed to create shader");
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0 || !glIsShader(shader)) {
        failWithLog("Failed to compile shader (" + path,
                    logNamingFiles(infoLog(shader, glGetShaderiv, glGetShaderInfoLog), path));
    }
    if (stage == GL_VERTEX_SHADER) vertexShader = shader;
    else if (stage == GL_FRAGMENT_SHADER) fragmentShader = shader;
    else if (stage == GL_GEOMETRY_SHADER) geometryShader = shader;
}

void ShaderProgram::link() {
    programId = glCreateProgram();
    if (programId == 0) failShader("Failed to create shader program");
    glAttachShader(programId, vertexShader);
    glAttachShader(programId, fragmentShader);
    if (hasGeometryShader) glAttachShader(programId, geometryShader);
    glBindFragDataLocation(programId, 0, "fragColor");
    glLinkProgram(programId);
    GLint status = 0;
    glGetProgramiv(programId, GL_LINK_STATUS, &status);
    if (status == 0) {
        failWithLog("Failed to link shader program", infoLog(programId, glGetProgramiv, glGetProgramInfoLog));
    }
}
