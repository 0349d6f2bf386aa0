// Measures the game's frame on fixed scenarios of the real world, one figure a line:
//   quorlax-bench [--frames N] [--reference] [--restarts N] [--size WxH] (--help lists them)
// Run it from the directory holding Shader/ and Models/ (the build directory), on a display or
// under xvfb-run. --reference runs the literal full-frame passes, reusing nothing; --restarts N ends
// with N restarts and the resident memory they added after the first tenth of them.
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <imgui.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/fatal_exit.h"
#include "app/frame.h"
#include "app/overlay.h"
#include "game/settings.h"
#include "game/setup.h"
#include "game/world.h"
#include "view/bounds.h"
#include "render/bloom.h"
#include "render/pass_timer.h"
#include "tools/bench/bench_options.h"
#include "tools/bench/scenarios.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// Every heap allocation of the process passes here, so a frame's allocations can be counted. All
// plain forms are replaced together, so that whatever allocates also frees through them.
namespace {
void* countedAllocation(std::size_t size) noexcept {
    allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}
// The overlay's library allocates through these.
void* countedPanelAllocation(std::size_t size, void*) { return countedAllocation(size); }
void freePanelMemory(void* memory, void*) { std::free(memory); }
}  // namespace

void* operator new(std::size_t size) {
    if (void* memory = countedAllocation(size)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {
constexpr int warmUpFrames = 2;  // the first frames fill caches and wait for timer results

double seconds() { return glfwGetTime(); }

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : 0.5 * (values[middle - 1] + values[middle]);
}

void report(const char* scenario, const char* figure, double value, const char* unit) {
    std::printf("%s.%s %.3f %s\n", scenario, figure, value, unit);
}

struct Figures {
    std::vector<double> frameMs, passMs[renderPassCount], overlayMs, overlayCpuUs;
    long frameAllocations = 0;  // the most any steady frame made
};

// Not among the shared scenarios, whose pictures the reference path must reproduce bit for bit: the
// start view with the overlay, with the settings panel open, and compare frames whose right half
// has the shadows off (so each half draws its own scene), still and at full throttle.
void compareShadowsOff() {
    world.settings.compare = true;
    world.settings.shadows = false;
}
const Scenario benchOnlyScenarios[] = {
    {"overlay", 0, [] { world.settings.overlay = true; }},
    {"panel", 0, [] { world.settings.overlay = world.settings.settingsPanel = true; }},
    {"compare", 0, compareShadowsOff},
    {"compare_throttle", GLFW_KEY_W, compareShadowsOff},
};

// One frame as the game draws it: the overlay built before the passes and drawn after them, timed
// on the CPU (both halves) and on the GPU (a query, or exactly: from the finished passes to the
// finished overlay, plus the build).
void drawTimedFrame(FrameContext& context, PassTimer& timer, GLuint query, double& cpuSeconds, double& exactSeconds) {
    updateFrame(context, scenarioFrameTime);
    double start = threadCpuSeconds(), wallStart = seconds();
    buildOverlay(context.overlay, timer, scenarioFrameTime);
    cpuSeconds = threadCpuSeconds() - start;
    exactSeconds = seconds() - wallStart;
    drawPicture(context, &timer);
    if (timer.exact) glFinish();
    start = threadCpuSeconds(), wallStart = seconds();
    if (!timer.exact) glBeginQuery(GL_TIME_ELAPSED, query);
    drawOverlay();
    if (!timer.exact) glEndQuery(GL_TIME_ELAPSED);
    cpuSeconds += threadCpuSeconds() - start;
    if (timer.exact) glFinish();
    exactSeconds += seconds() - wallStart;
}

void runScenario(FrameContext& context, const Scenario& scenario, const BenchOptions& options) {
    const int frames = options.frames;
    PassTimer timer;
    createPassTimer(timer, options.exactPassTimes);
    GLuint overlayQuery = 0;
    glGenQueries(1, &overlayQuery);
    Figures figures;
    startScenario(scenario);
    for (int frame = 0; frame < frames + warmUpFrames; ++frame) {
        const long allocationsBefore = allocations.load();
        const double frameStart = seconds();
        // The game draws its goal readout over every frame, with the panel while shown.
        double overlayCpuSeconds = 0.0, overlayExactSeconds = 0.0;
        drawTimedFrame(context, timer, overlayQuery, overlayCpuSeconds, overlayExactSeconds);
        glfwSwapBuffers(context.window);
        const double frameSeconds = seconds() - frameStart;
        if (frame < warmUpFrames) continue;
        figures.frameAllocations = std::max(figures.frameAllocations, allocations.load() - allocationsBefore);
        GLuint64 nanoseconds = 0;
        if (!timer.exact) glGetQueryObjectui64v(overlayQuery, GL_QUERY_RESULT, &nanoseconds);  // after the clock
        figures.overlayMs.push_back(timer.exact ? overlayExactSeconds * 1e3 : static_cast<double>(nanoseconds) * 1e-6);
        figures.overlayCpuUs.push_back(overlayCpuSeconds * 1e6);
        figures.frameMs.push_back(frameSeconds * 1e3);
        if (!timer.lastValid) continue;
        for (int pass = 0; pass < renderPassCount; ++pass) figures.passMs[pass].push_back(timer.lastMs[pass]);
    }
    report(scenario.name, "frame_ms", median(figures.frameMs), "ms");
    for (int pass = 0; pass < renderPassCount; ++pass) {
        const std::string passFigure = std::string(renderPassNames[pass]) + "_ms";  // "shadow_ms", ...
        report(scenario.name, passFigure.c_str(), median(figures.passMs[pass]), "ms");
    }
    report(scenario.name, "frame_allocs", static_cast<double>(figures.frameAllocations), "allocs");
    report(scenario.name, "overlay_ms", median(figures.overlayMs), "ms");
    report(scenario.name, "overlay_cpu_us", median(figures.overlayCpuUs), "us");
    glDeleteQueries(1, &overlayQuery);
}

GLuint compileStage(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

// The cheapest twelve passes over the blur's targets: each copies one texel per pixel.
GLuint createCopyProgram() {
    const GLuint program = glCreateProgram();
    glAttachShader(program, compileStage(GL_VERTEX_SHADER, R"(#version 410 core
layout(location = 0) in vec3 position;
void main() { gl_Position = vec4(position, 1.0); })"));
    glAttachShader(program, compileStage(GL_FRAGMENT_SHADER, R"(#version 410 core
uniform sampler2D image;
layout(location = 0) out vec4 fragColor;
void main() { fragColor = texelFetch(image, ivec2(gl_FragCoord.xy), 0); })"));
    glLinkProgram(program);
    return program;
}

// Times the copy passes once, waiting for the result.
double timeBlurFloorMs(const Renderer& renderer, GLuint program, GLuint query) {
    const PictureTargets& bloom = renderer.picture;
    glUseProgram(program);
    glActiveTexture(GL_TEXTURE2);
    glUniform1i(glGetUniformLocation(program, "image"), 2);
    glBeginQuery(GL_TIME_ELAPSED, query);
    for (int pass = 0; pass < 12; ++pass) {
        glBindFramebuffer(GL_FRAMEBUFFER, bloom.pingpongFramebuffers[pass % 2]);
        glBindTexture(GL_TEXTURE_2D, bloom.pingpongTextures[1 - pass % 2]);
        renderQuad(renderer.programs);
    }
    glEndQuery(GL_TIME_ELAPSED);
    GLuint64 nanoseconds = 0;
    glGetQueryObjectui64v(query, GL_QUERY_RESULT, &nanoseconds);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return static_cast<double>(nanoseconds) * 1e-6;
}
long residentKb() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The craft flown into the light with R held: each frame ends a game on the red screen and starts
// the next.
const Scenario restartScenario{"restarts", GLFW_KEY_R, [] {}};

// Restarts as the end screen makes them, each with its red window and the new game's first frame:
// resident memory after the first tenth of them and at the end.
void measureRestarts(FrameContext& context, int restarts) {
    startScenario(restartScenario);
    std::cout.setstate(std::ios::failbit);  // a thousand end-screen lines would bury the figures
    long settledKb = residentKb();
    for (int restart = 1; restart <= restarts; ++restart) {
        SceneObject& craft = *world.allObjects[0];
        place(craft, world.light.position, craft.orientation);
        drawFrame(context, scenarioFrameTime, nullptr);
        glfwSwapBuffers(context.window);
        glfwPollEvents();
        if (restart == restarts / 10) settledKb = residentKb();
    }
    std::cout.clear();
    report("restarts", "rss_after_first_tenth_kb", static_cast<double>(settledKb), "KB");
    report("restarts", "rss_growth_kb", static_cast<double>(residentKb() - settledKb), "KB");
}
}  // namespace

int main(int argc, char** argv) {
    const BenchCommandLine line = parseBenchCommandLine(argc, argv, std::cout, std::cerr);
    if (!line.run) return line.exitStatus;
    const BenchOptions& options = line.options;
    setFatalPause(false);  // run from scripts: a failure ends it at once
    const double setupStart = seconds();
    startReadingWorldModels();
    GLFWwindow* window = openGameWindow(options.width, options.height);
    ImGui::SetAllocatorFunctions(countedPanelAllocation, freePanelMemory);
    FrameContext context;
    world.settings = options.settings;
    setUpGame(context, window);
    rememberStartState();
    glFinish();
    std::printf("setup_ms %.3f ms\n", (seconds() - setupStart) * 1e3);
    std::printf("renderer %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("framebuffer %dx%d\n", world.frameWidth, world.frameHeight);
    printSettingValues(world.settings, std::cout);
    std::printf("pass_times %s\n", options.exactPassTimes ? "exact: each pass finished before the next is timed"
                                                          : "timer queries (a lazy driver mixes the passes)");
    context.renderer.referenceFrames = options.reference;
    // The floor is timed after every scenario, so that it shares the machine's load with the blur.
    const GLuint copyProgram = createCopyProgram();
    GLuint floorQuery = 0;
    glGenQueries(1, &floorQuery);
    std::vector<double> floorMs;
    for (const Scenario& scenario : scenarios) {
        runScenario(context, scenario, options);
        for (int run = 0; run < std::max(1, options.frames / 10); ++run) {
            floorMs.push_back(timeBlurFloorMs(context.renderer, copyProgram, floorQuery));
        }
    }
    for (const Scenario& scenario : benchOnlyScenarios) runScenario(context, scenario, options);
    std::printf("blur_floor_ms %.3f ms\n", median(floorMs));
    if (options.restarts > 0) measureRestarts(context, options.restarts);
    const GLenum error = glGetError();
    destroyRenderer(context.renderer);
    glfwTerminate();
    if (error != GL_NO_ERROR) {
        std::fprintf(stderr, "GL error 0x%x\n", error);
        return 1;
    }
    return 0;
}
