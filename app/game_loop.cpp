#include "app/game_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <iostream>

#include "app/fatal_exit.h"
#include "app/frame_stats.h"
#include "app/fullscreen.h"
#include "app/gl_errors.h"
#include "app/overlay.h"
#include "app/screenshot.h"
#include "app/update.h"
#include "assets/model_import_process.h"
#include "assets/shader_program.h"
#include "game/game_over.h"
#include "game/input.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/bloom.h"
#include "render/frame.h"
#include "render/pass_timer.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "view/camera.h"

GLFWwindow* openGameWindow(int width, int height) {
    if (!glfwInit()) {
        // The usual cause is no display at all: say how to get one.
        const auto named = [](const char* variable) {
            const char* value = std::getenv(variable);
            return value && *value;
        };
        fatalExit(named("DISPLAY") || named("WAYLAND_DISPLAY")
                      ? "GLFW failed"
                      : "GLFW failed\nno display: set DISPLAY or run under xvfb-run");
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SRGB_CAPABLE, GLFW_TRUE);  // wireframe lines are encoded by the window
    GLFWwindow* window = glfwCreateWindow(width, height, "Hello World", nullptr, nullptr);
    if (!window) {
        glfwTerminate();
        fatalExit("ERROR: Could not open window.");
    }
    glfwMakeContextCurrent(window);
    glfwSetWindowTitle(window, "Quorlax");
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        glfwTerminate();
        fatalExit("No Window...");
    }
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    return window;
}

void setFixedGlState() {
    glEnable(GL_CULL_FACE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    int width = 0, height = 0;
    glfwGetFramebufferSize(glfwGetCurrentContext(), &width, &height);
    glViewport(0, 0, width, height);
}

namespace {

// R on an end screen: the keys pressed while it waited are not the new game's.
void startNewGame() {
    restartGame();
    clearKeyPresses();
}

// What an end screen shows: its colour over the whole window, the title and the keys in the middle.
struct EndScreen {
    float red, green;
    const char* title;
    const char* message;  // the console's line
};

// The end screen at the window's size now.
void fillWindow(GLFWwindow* window, Overlay& overlay, const EndScreen& screen) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(screen.red, screen.green, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    int width = 0, height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    drawEndScreenText(overlay, height, screen.title, "Press R to try again or Esc to close");
    glfwSwapBuffers(window);
}

// Shows the end screen and waits for R (new game), Escape or the window's close button; the screen
// is drawn again after every event (a resize, say).
void showEndScreen(GLFWwindow* window, Overlay& overlay, const EndScreen& screen) {
    fillWindow(window, overlay, screen);
    std::cout << screen.message << std::endl;
    clearKeyPresses();
    if (keyHeld(window, GLFW_KEY_R)) {
        startNewGame();
        return;
    }
    while (!keyHeldOrPressed(window, GLFW_KEY_ESCAPE) && !glfwWindowShouldClose(window)) {
        glfwWaitEvents();
        if (keyHeldOrPressed(window, GLFW_KEY_R)) {
            startNewGame();
            return;
        }
        fillWindow(window, overlay, screen);
    }
}

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

// Draws the frame's picture: an end screen when the game has ended, else the scene. Returns
// true when it showed an end screen, which may have waited any time for a key.
bool renderFrame(GLFWwindow* window, Overlay& overlay) {
    switch (gameEnd()) {
        case GameEnd::Crash:
            showEndScreen(window, overlay,
                          {1.0f, 0.0f, "Game Over", "Game Over, press R to try again or ESC to close!"});
            return true;
        case GameEnd::Escape:
            showEndScreen(window, overlay, {0.0f, 1.0f, "You Escaped!", "You Escaped! Congratz!"});
            return true;
        case GameEnd::None:
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            renderScene();
            return false;
    }
    return false;
}
}  // namespace

namespace {
// What the frame loop holds besides the world.
struct Session {
    GLFWwindow* window = nullptr;
    FrameTargets targets;
    FrameStats stats;
    PassTimer passTimer;
    Overlay overlay;
    double lastFrame = 0.0;  // glfwGetTime of the last frame's start
};

// Opens the window and builds everything the first frame needs.
void startSession(Session& session, const GameOptions& options) {
    setShaderFailureHandler(fatalExit);
    startReadingWorldModels();
    GLFWwindow* window = openGameWindow(options.windowWidth, options.windowHeight);
    session.window = window;
    if (options.fullscreen) toggleFullscreen(window, nullptr);
    setFixedGlState();
    ShadowMap shadowMap;
    createShadowMap(shadowMap);
    setImportWaitCheck(windowStaysOpen);
    setUpWorld(window);
    setImportWaitCheck(nullptr);

    session.lastFrame = glfwGetTime();
    session.stats.lastStats = glfwGetTime();
    createBloomProgram();
    const unsigned hdrFramebuffer = createHdrFramebuffer();
    createBlurTargets();
    world.referenceFrames = options.referenceFrames;
    createPassTimer(session.passTimer);
    if (options.passTimes) session.stats.passTimer = &session.passTimer;
    session.targets = FrameTargets{shadowMap.framebuffer, hdrFramebuffer};
    // Steering reads the cursor's offset from the window's centre: take the pointer's moves so far
    // and start from the centre, so the craft starts level wherever the pointer was.
    glfwPollEvents();
    glfwSetCursorPos(window, world.windowWidth / 2, world.windowHeight / 2);
    createOverlay(session.overlay, window);
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

// One frame: time, report, events, update, passes, overlay, screenshot, swap.
void runFrame(Session& session, const GameOptions& options) {
    GLFWwindow* window = session.window;
    const double now = glfwGetTime();
    const float dt = static_cast<float>(now - session.lastFrame);
    session.lastFrame = now;
    countFrame(session.stats, now, std::cout);
    clearKeyPresses();
    glfwPollEvents();
    if (windowEvents.resized) {
        windowEvents.resized = false;
        readWindowSizes(window);
    }
    updateWorld(window, dt);
    if (world.frameWidth != world.bloomPass.width || world.frameHeight != world.bloomPass.height) {
        resizeBloomTargets(world.frameWidth, world.frameHeight);
    }
    // The passes are timed for the report (--pass-times) and while the overlay shows them.
    PassTimer* timer = options.passTimes || world.settings.overlay ? &session.passTimer : nullptr;
    beginFrame(session.targets, timer);
    const bool waited = renderFrame(window, session.overlay);
    endFrame(timer);
    if (waited) {
        skipWaitedTime(session);
    } else if (world.settings.overlay) {
        drawOverlay(session.overlay, session.passTimer, dt);
    }
    if (world.screenshotRequested) {
        world.screenshotRequested = false;
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
    while (!glfwWindowShouldClose(session.window)) {
        if (waitWhileHidden()) {
            skipWaitedTime(session);
            continue;
        }
        runFrame(session, options);
        if (keyHeldOrPressed(session.window, GLFW_KEY_ESCAPE)) break;
    }
    destroyOverlay(session.overlay);
    world.allObjects.clear();
    glfwTerminate();
    return 0;
}
