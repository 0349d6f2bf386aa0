#include "app/game_loop.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

#include "app/fatal_exit.h"
#include "app/frame_stats.h"
#include "app/gl_errors.h"
#include "app/update.h"
#include "assets/model_import_process.h"
#include "assets/shader_program.h"
#include "game/game_over.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/bloom.h"
#include "render/frame.h"
#include "render/pass_timer.h"
#include "render/scene.h"
#include "render/shadow_map.h"

namespace {
constexpr int windowWidth = 800;
constexpr int windowHeight = 600;
}  // namespace

GLFWwindow* openGameWindow() {
    if (!glfwInit()) fatalExit("GLFW failed");
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SRGB_CAPABLE, GLFW_TRUE);  // wireframe lines are encoded by the window
    GLFWwindow* window = glfwCreateWindow(windowWidth, windowHeight, "Hello World", nullptr, nullptr);
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
    glViewport(0, 0, windowWidth, windowHeight);
}

namespace {
bool keyPressed(GLFWwindow* window, int key) { return glfwGetKey(window, key) == GLFW_PRESS; }

// Shows a plain coloured window with the message and waits for R (new game), Escape or the
// window's close button.
void showEndScreen(GLFWwindow* window, float red, float green, const char* message) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(red, green, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
    std::cout << message << std::endl;
    if (keyPressed(window, GLFW_KEY_R)) {
        restartGame();
        return;
    }
    while (!keyPressed(window, GLFW_KEY_ESCAPE) && !glfwWindowShouldClose(window)) {
        glfwWaitEvents();
        if (keyPressed(window, GLFW_KEY_R)) {
            restartGame();
            return;
        }
    }
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
bool renderFrame(GLFWwindow* window) {
    switch (gameEnd()) {
        case GameEnd::Crash:
            showEndScreen(window, 1.0f, 0.0f, "Game Over, press R to try again or ESC to close!");
            return true;
        case GameEnd::Escape:
            showEndScreen(window, 0.0f, 1.0f, "You Escaped! Congratz!");
            return true;
        case GameEnd::None:
            glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
            renderScene();
            return false;
    }
    return false;
}
}  // namespace

int runGame(const GameOptions& options) {
    setShaderFailureHandler(fatalExit);
    startReadingWorldModels();
    GLFWwindow* window = openGameWindow();
    setFixedGlState();
    ShadowMap shadowMap;
    createShadowMap(shadowMap);
    setImportWaitCheck(windowStaysOpen);
    setUpWorld(window);
    setImportWaitCheck(nullptr);

    double lastFrame = glfwGetTime();
    FrameStats stats;
    stats.lastStats = glfwGetTime();
    createBloomProgram();
    const unsigned hdrFramebuffer = createHdrFramebuffer();
    createBlurTargets();
    world.referenceFrames = options.referenceFrames;
    PassTimer passTimer;
    if (options.passTimes) {
        createPassTimer(passTimer);
        stats.passTimer = &passTimer;
    }
    const FrameTargets targets{shadowMap.framebuffer, hdrFramebuffer};
    stats.frames = 0;

    while (!glfwWindowShouldClose(window)) {
        const double now = glfwGetTime();
        const float dt = static_cast<float>(now - lastFrame);
        lastFrame = now;
        countFrame(stats, now, std::cout);
        glfwPollEvents();
        updateWorld(window, dt);
        beginFrame(targets, stats.passTimer);
        // Nothing moves for the time an end screen waited, and no report counts it: the next frame's
        // step and the next report's second start after it.
        if (renderFrame(window)) {
            lastFrame = glfwGetTime();
            restartReportSecond(stats, lastFrame);
        }
        endFrame(stats.passTimer);
        reportGlError();
        glfwSwapBuffers(window);
        if (keyPressed(window, GLFW_KEY_ESCAPE)) break;
    }

    world.allObjects.clear();
    glfwTerminate();
    return 0;
}
