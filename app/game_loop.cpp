#include "app/game_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

#include "app/fatal_exit.h"
#include "app/frame.h"
#include "app/frame_stats.h"
#include "app/fullscreen.h"
#include "app/gl_errors.h"
#include "app/screenshot.h"
#include "assets/model_import_process.h"
#include "assets/shader_program.h"
#include "game/guided_views.h"
#include "game/input.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/pass_timer.h"
#include "view/camera.h"

namespace {
// What GLFW reported about the window; its callbacks cost no round trip to the X server per frame.
struct WindowEvents {
    bool resized = true;     // the sizes changed since they were last read
    bool iconified = false;
    bool noPixels = false;   // a framebuffer of 0 x 0
};
WindowEvents windowEvents;

// Every press counts once, even one released before the frame polls the keys.
void noteKey(GLFWwindow*, int key, int, int action, int) {
    if (action == GLFW_PRESS) recordKeyPress(key);
}
void noteResize(GLFWwindow*, int, int) { windowEvents.resized = true; }
void noteFramebufferSize(GLFWwindow*, int width, int height) {
    windowEvents.resized = true;
    windowEvents.noPixels = width <= 0 || height <= 0;
}
void noteIconified(GLFWwindow*, int iconified) { windowEvents.iconified = iconified == GLFW_TRUE; }

// An iconified window, or one whose framebuffer has no pixels, shows nothing: wait for events.
bool waitWhileHidden() {
    if (!windowEvents.iconified && !windowEvents.noPixels) return false;
    glfwWaitEvents();
    return true;
}

// Called while start-up waits for the model import: the window keeps answering, and closing it
// gives the import up.
bool windowStaysOpen() {
    glfwPollEvents();
    GLFWwindow* window = glfwGetCurrentContext();
    return window && !glfwWindowShouldClose(window);
}

// What the frame loop holds besides the world.
struct Session {
    FrameContext frame;
    FrameStats stats;
    PassTimer passTimer;
    double lastFrame = 0.0;  // glfwGetTime of the last frame's start
};

// Opens the window and builds everything the first frame needs.
void startSession(Session& session, const GameOptions& options) {
    setShaderFailureHandler(fatalExit);
    startReadingWorldModels();
    GLFWwindow* window = openGameWindow(options.windowWidth, options.windowHeight);
    if (options.fullscreen) toggleFullscreen(window, nullptr);
    setImportWaitCheck(windowStaysOpen);
    world.settings = options.settings;
    setUpGame(session.frame, window);
    setImportWaitCheck(nullptr);

    session.lastFrame = glfwGetTime();
    session.stats.lastStats = glfwGetTime();
    session.frame.renderer.referenceFrames = options.referenceFrames;
    // Whoever reads the pass times gets each pass's own: a lazy driver's queries would mix them.
    createPassTimer(session.passTimer, true);
    if (options.passTimes) session.stats.passTimer = &session.passTimer;
    session.frame.overlay.firstHint = true;
    if (const GuidedView* view = findGuidedView(options.show)) showGuidedView(*view, std::cout);
    // Steering reads the cursor's offset from the window's centre: take the pointer's moves so far
    // and start from the centre, so the craft starts level wherever the pointer was.
    glfwPollEvents();
    centreCursor(window);
    glfwSetKeyCallback(window, noteKey);
    glfwSetWindowSizeCallback(window, noteResize);
    glfwSetFramebufferSizeCallback(window, noteFramebufferSize);
    glfwSetWindowIconifyCallback(window, noteIconified);
}

// Nothing moves for time spent waiting (end screens, a hidden window, a screenshot being written),
// and no report counts it: the next frame's step and report second start after it.
void skipWaitedTime(Session& session) {
    session.lastFrame = glfwGetTime();
    restartReportSecond(session.stats, session.lastFrame);
}

// One frame: time, report, events, update, overlay and passes, screenshot, swap.
void runFrame(Session& session, const GameOptions& options) {
    GLFWwindow* window = session.frame.window;
    const double now = glfwGetTime();
    const float dt = static_cast<float>(now - session.lastFrame);
    session.lastFrame = now;
    countFrame(session.stats, now, std::cout);
    clearKeyPresses();
    glfwPollEvents();
    if (keyPresses.count > 0) session.frame.overlay.firstHint = false;
    if (windowEvents.resized) {
        windowEvents.resized = false;
        readWindowSizes(window);
    }
    // The passes are timed for the report (--pass-times) and while the overlay shows them.
    PassTimer* timer = options.passTimes || world.settings.overlay ? &session.passTimer : nullptr;
    const FrameOutcome outcome = drawFrame(session.frame, dt, timer, &session.passTimer);
    if (outcome != FrameOutcome::Drawn) skipWaitedTime(session);
    if (outcome == FrameOutcome::Quit) return;
    if (takeScreenshotRequest()) {
        saveScreenshot(world.frameWidth, world.frameHeight, std::cout);
        skipWaitedTime(session);
    }
    reportGlError();
    glfwSwapBuffers(window);
}
}  // namespace

int runGame(const GameOptions& options) {
    Session session;
    startSession(session, options);
    GLFWwindow* window = session.frame.window;
    while (!glfwWindowShouldClose(window)) {
        if (waitWhileHidden()) {
            skipWaitedTime(session);
            continue;
        }
        runFrame(session, options);
        if (keyHeldOrPressed(window, GLFW_KEY_ESCAPE)) break;
    }
    destroyOverlay(session.frame.overlay);
    destroyRenderer(session.frame.renderer);
    world.allObjects.clear();
    glfwTerminate();
    return 0;
}
