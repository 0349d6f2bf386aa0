#include "tools/bench/scenarios.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <glm/gtc/constants.hpp>

#include "game/guided_views.h"
#include "game/input.h"
#include "game/world.h"
#include "view/camera.h"

namespace {
struct StartState {
    WorldSnapshot world;
    RenderSettings settings;
};

StartState start;
int heldKey = 0;

int scenarioKey(GLFWwindow*, int key) { return key == heldKey ? GLFW_PRESS : GLFW_RELEASE; }
// The cursor rests at the window centre: no steering, no mouse look.
void centredCursor(GLFWwindow*, double* x, double* y) {
    *x = world.windowWidth / 2;
    *y = world.windowHeight / 2;
}
void ignoreCursor(GLFWwindow*, double, double) {}

void startView() {}
void enemiesFollow() { world.settings.enemiesFollow = true; }
// 40 units in front of the light, looking at it: the light sphere about 140 pixels across.
void lightInView() {
    world.camera->switchToFree(world.light.position + glm::vec3(0.0f, 0.0f, 40.0f), -glm::half_pi<float>(),
                               glm::half_pi<float>());
}
// 6 units from the light's centre, facing it: its sphere (radius 5) fills the window.
void closeToTheLight() {
    world.camera->switchToFree(world.light.position + glm::vec3(0.0f, 0.0f, 6.0f), -glm::half_pi<float>(),
                               glm::half_pi<float>());
}
void lightWithoutBloom() {
    lightInView();
    world.settings.bloom = false;
}
// The eye at the light's centre, inside its sphere (whose faces turn away and are culled), looking
// the way `light` looks: nothing in view glows.
void insideTheLight() { world.camera->switchToFree(world.light.position, -glm::half_pi<float>(), glm::half_pi<float>()); }
}  // namespace

const Scenario scenarios[scenarioCount] = {
    {"start", 0, startView},
    {"full_throttle", GLFW_KEY_W, startView},
    {"f1", 0, enemiesFollow},
    {"light", 0, lightInView},
    {"light_bloom_off", 0, lightWithoutBloom},
    {"light_inside", 0, insideTheLight},
    {"orbit4", GLFW_KEY_4, startView},
    {"fxaa_throttle", GLFW_KEY_W, [] { world.settings.fxaa = true; }},
    {"light_close", 0, closeToTheLight},
};

void rememberStartState() {
    start.world = takeSnapshot();
    start.settings = world.settings;
}

void startScenario(const Scenario& scenario) {
    restoreSnapshot(start.world);
    world.settings = start.settings;
    heldKey = scenario.heldKey;
    clearKeyPresses();
    input = glfwInput();
    input.getKey = scenarioKey;
    input.getCursorPos = centredCursor;
    input.setCursorPos = ignoreCursor;
    scenario.prepare();
}
