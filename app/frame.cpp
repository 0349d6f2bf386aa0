#include "app/frame.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>

#include "app/end_screen.h"
#include "app/fatal_exit.h"
#include "app/update.h"
#include "game/game_over.h"
#include "game/guided_views.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/shadow_map.h"

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

void setUpGame(FrameContext& context, GLFWwindow* window) {
    context.window = window;
    setFixedGlState();
    // The shadow map's program is the first one built, so that a damaged shader file shared by
    // every program is reported in its name.
    createShadowMap(context.renderer.shadowMap);
    setUpWorld(window);
    updateOrbitSphere(0.0f);
    rememberWorldStart();
    createRenderer(context.renderer, world.frameWidth, world.frameHeight);
    createOverlay(context.overlay, window);
}

Scene worldScene() {
    Scene scene;
    scene.objects = &world.allObjects;
    scene.shadowCasters = &world.shadowCasters;
    scene.lightSphere = world.lightSphere;
    scene.orbitSphere = world.orbitSphere;
    scene.lightPosition = world.light.position;
    scene.camera = world.camera;
    scene.vertexArray = world.sharedVertexArray;
    scene.vertexPositions = &world.sharedVertices.positions;
    scene.textures = &world.textureList;
    scene.untexturedTexture = world.untexturedTexture;
    scene.sky = &world.sky;
    scene.litPrograms = &world.litPrograms;
    scene.width = world.frameWidth;
    scene.height = world.frameHeight;
    if (guided.shown) {
        scene.tintLowDetail = guided.shown->marksLowDetail;
        const Arrangement arrangement = guided.shown->arrangement;
        if (arrangement != Arrangement::None) scene.arrangement = &world.arranged[static_cast<int>(arrangement)];
        if (arrangement == Arrangement::ShadowSlab) scene.shadowCasters = &world.castersWithSlab;
        if (guided.outside) scene.outsideCamera = &*guided.outside;
    }
    return scene;
}

FrameOutcome updateFrame(FrameContext& context, float dt) {
    GLFWwindow* window = context.window;
    updateWorld(window, dt);
    // A paused world ends no game.
    const GameEnd end = world.settings.paused ? GameEnd::None : gameEnd();
    if (end == GameEnd::None) return FrameOutcome::Drawn;
    if (!showEndScreen(window, context.overlay, end)) return FrameOutcome::Quit;
    // The new game's first picture: the camera sees the craft where the restart put it.
    updateView(window, 0.0f);
    return FrameOutcome::NewGame;
}

void drawPicture(FrameContext& context, PassTimer* timer) {
    const SceneCounts counts = renderFrame(context.renderer, worldScene(), world.settings, timer);
    world.culledCount = counts.culled;
    world.lowDetailCount = counts.lowDetail;
}

FrameOutcome drawFrame(FrameContext& context, float dt, PassTimer* timer, const PassTimer* overlayTimes) {
    const FrameOutcome outcome = updateFrame(context, dt);
    if (outcome == FrameOutcome::Quit) return outcome;
    if (overlayTimes) buildOverlay(context.overlay, *overlayTimes, dt);
    drawPicture(context, timer);
    if (overlayTimes) drawOverlay();
    return outcome;
}
