#include "app/controls.h"

#include <GLFW/glfw3.h>

#include <iostream>
#include <iterator>

#include "app/fullscreen.h"
#include "app/screenshot.h"
#include "game/input.h"
#include "game/world.h"
#include "view/camera.h"

namespace {
// The orbit views: which enemy they watch, and from where.
struct OrbitView {
    const char* name;
    size_t enemy;
    glm::vec3 eyeOffset;
};
const OrbitView orbitViews[] = {{"orbit 3", 0, {2.0f, 3.0f, -3.0f}},
                                {"orbit 4", 0, {-2.0f, -3.0f, 3.0f}},
                                {"orbit 5", 1, {2.0f, 3.0f, 3.0f}},
                                {"orbit 6", 1, {0.0f, 0.0f, -10.0f}}};

SceneObject* enemy(size_t index) { return index < world.enemies.size() ? world.enemies[index] : nullptr; }

void orbit(const OrbitView& view) {
    SceneObject* target = enemy(view.enemy);
    if (!target) return;
    Camera& camera = *world.camera;
    camera.target = target;
    camera.orbitEyeOffset = view.eyeOffset;
    camera.orbitLookOffset = glm::vec3(0.0f);
    camera.mode = CameraMode::Orbit;
}

void freeView(const Control&, GLFWwindow*, std::ostream&) { world.camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f); }
void chaseView(const Control&, GLFWwindow* window, std::ostream&) {
    if (world.allObjects.empty()) return;
    chaseCraft(*world.camera, world.allObjects[0]);
    centreCursor(window);
}
void orbit3(const Control&, GLFWwindow*, std::ostream&) { orbit(orbitViews[0]); }
void orbit4(const Control&, GLFWwindow*, std::ostream&) { orbit(orbitViews[1]); }
void orbit5(const Control&, GLFWwindow*, std::ostream&) { orbit(orbitViews[2]); }
void orbit6(const Control&, GLFWwindow*, std::ostream&) { orbit(orbitViews[3]); }
void toTheLight(const Control&, GLFWwindow*, std::ostream&) {
    Camera& camera = *world.camera;
    if (camera.mode == CameraMode::Free) camera.switchToFree(world.light.position, 3.14f, 0.0f);
}

void flipQuietly(const Control& self, GLFWwindow*, std::ostream&) {
    world.settings.*self.flag = !(world.settings.*self.flag);
}
void flipAndPrint(const Control& self, GLFWwindow* window, std::ostream& out) {
    flipQuietly(self, window, out);
    printState(self, out);
}
// F4 and F5 both report the two filter lines; from the first press on, the textures follow them.
void printFilters(std::ostream& out) {
    world.settings.filtersChosen = true;
    printState(*pressedControl(GLFW_KEY_F4), out);
    printState(*pressedControl(GLFW_KEY_F5), out);
}
void switchSampling(const Control&, GLFWwindow*, std::ostream& out) {
    world.settings.textureLinear = !world.settings.textureLinear;
    printFilters(out);
}
void cycleMipmaps(const Control&, GLFWwindow*, std::ostream& out) {
    world.settings.mipmapMode = (world.settings.mipmapMode + 1) % 3;
    printFilters(out);
}
void stepWorld(const Control&, GLFWwindow*, std::ostream&) { world.settings.stepOnce = world.settings.paused; }
void cyclePipelineView(const Control& self, GLFWwindow*, std::ostream& out) {
    const int next = (static_cast<int>(world.settings.pipelineView) + 1) % static_cast<int>(PipelineView::Count);
    world.settings.pipelineView = static_cast<PipelineView>(next);
    printState(self, out);
}
// Tab: the overlay shows and takes the mouse, the cursor is free; or the game takes it back.
void switchSettingsPanel(const Control& self, GLFWwindow* window, std::ostream& out) {
    if (world.settings.settingsPanel) {
        closeSettingsPanel(window, out);
        return;
    }
    world.settings.settingsPanel = true;
    world.settings.overlay = true;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    printState(self, out);
}
// H: hiding the overlay hides the settings panel too, and the game takes the mouse back.
void switchOverlay(const Control& self, GLFWwindow* window, std::ostream& out) {
    flipAndPrint(self, window, out);
    if (!world.settings.overlay && world.settings.settingsPanel) closeSettingsPanel(window, out);
}
void switchFullscreen(const Control&, GLFWwindow* window, std::ostream& out) { toggleFullscreen(window, &out); }
void screenshot(const Control&, GLFWwindow*, std::ostream&) { requestScreenshot(); }

// The textures sample as loaded (linear, no mip-maps) until F4 or F5 is first pressed.
int samplingState() { return textureFilters(world.settings).linear ? 0 : 1; }
int mipmapState() { return textureFilters(world.settings).mipmapMode; }
int pipelineViewState() { return static_cast<int>(world.settings.pipelineView); }
int fullscreenState() { return isFullscreen(glfwGetCurrentContext()) ? 0 : 1; }

Control held(int key, const char* label, const char* does) {
    return Control{key, label, does, ControlKind::Held, nullptr, nullptr, {}, nullptr, nullptr};
}
Control view(int key, const char* label, const char* does,
             void (*press)(const Control&, GLFWwindow*, std::ostream&)) {
    return Control{key, label, does, ControlKind::View, nullptr, nullptr, {}, nullptr, press};
}
Control flag(int key, const char* label, const char* does, bool RenderSettings::*flag, const char* prefix,
             const char* on, const char* off, bool printed = true) {
    return Control{key,    label, does, ControlKind::Switch, flag, prefix, {on, off}, nullptr,
                   printed ? flipAndPrint : flipQuietly};
}
Control pressing(Control control, void (*press)(const Control&, GLFWwindow*, std::ostream&)) {
    control.press = press;
    return control;
}
Control action(int key, const char* label, const char* does, const char* prefix, std::initializer_list<const char*> words,
               int (*state)(), void (*press)(const Control&, GLFWwindow*, std::ostream&)) {
    Control control{key, label, does, ControlKind::Switch, nullptr, prefix, {}, state, press};
    int i = 0;
    for (const char* word : words) control.words[i++] = word;
    return control;
}
}  // namespace

const Control controls[] = {
    held(0, "Mouse", "steer the craft (chase view) or look around (free view)"),
    held(GLFW_KEY_W, "W / Up", "throttle up; free view: fly forward"),
    held(GLFW_KEY_S, "S / Down", "throttle down, reverse below zero; free view: fly back"),
    held(GLFW_KEY_Q, "Q", "brake"),
    held(GLFW_KEY_A, "A / Left", "slide left; free view: fly left"),
    held(GLFW_KEY_D, "D / Right", "slide right; free view: fly right"),
    held(GLFW_KEY_SPACE, "Space", "rise"),
    held(GLFW_KEY_LEFT_SHIFT, "Left Shift", "sink"),
    view(GLFW_KEY_1, "1", "free view from where the camera is now", freeView),
    view(GLFW_KEY_2, "2", "chase view behind your craft", chaseView),
    view(GLFW_KEY_3, "3", "orbit view of the lead enemy", orbit3),
    view(GLFW_KEY_4, "4", "orbit view of the lead enemy, from below", orbit4),
    view(GLFW_KEY_5, "5", "orbit view of another enemy", orbit5),
    view(GLFW_KEY_6, "6", "orbit view of another enemy, from behind", orbit6),
    view(GLFW_KEY_8, "8 (free view)", "jump to the light", toTheLight),
    held(GLFW_KEY_R, "R (free view)", "free camera back to (0, 0, 5)"),
    flag(GLFW_KEY_F1, "F1", "enemies follow you / take a break", &RenderSettings::enemiesFollow, "Enemies ",
         "are following you!", "are taking a break!"),
    flag(GLFW_KEY_F2, "F2", "frame statistics on the console", &RenderSettings::printFrameStats,
         "Frame statistics ", "on", "off", false),
    flag(GLFW_KEY_F3, "F3", "wireframe", &RenderSettings::wireframe, "Wireframe ", "enabled", "disabled"),
    action(GLFW_KEY_F4, "F4", "texture sampling nearest / linear", "Texture Sampling ", {"linear", "Nearest Neighbor"},
           samplingState, switchSampling),
    action(GLFW_KEY_F5, "F5", "mip-map sampling off / nearest / linear", "Mip Map Sampeling ",
           {"off", "nearest", "linear"}, mipmapState, cycleMipmaps),
    flag(GLFW_KEY_F6, "F6", "level of detail: distance based / always the lowest", &RenderSettings::lodAlwaysLowest,
         "LOD ", "always lowest", "distance based"),
    flag(GLFW_KEY_F7, "F7", "bloom", &RenderSettings::bloom, "Bloom ", "enabled", "disabled"),
    flag(GLFW_KEY_F8, "F8", "view frustum culling", &RenderSettings::frustumCulling, "View Frustum Culling ",
         "enabled", "disabled"),
    flag(GLFW_KEY_F9, "F9", "transparency", &RenderSettings::transparency, "Transparency ", "enabled", "disabled"),
    flag(GLFW_KEY_L, "L", "shadows of the light", &RenderSettings::shadows, "Shadows ", "enabled", "disabled"),
    flag(GLFW_KEY_M, "M", "the shadow depth cube map as the sky", &RenderSettings::showShadowCubeMap, "Sky: ",
         "shadow map", "sky", false),
    pressing(flag(GLFW_KEY_H, "H", "this overlay", &RenderSettings::overlay, "Overlay ", "enabled", "disabled"),
             switchOverlay),
    flag(GLFW_KEY_P, "P", "pause the world / run", &RenderSettings::paused, "", "Paused", "Running"),
    action(GLFW_KEY_PERIOD, ".", "step the paused world by 1/60 s", nullptr, {}, nullptr, stepWorld),
    action(GLFW_KEY_TAB, "Tab", "settings panel: the mouse works the overlay", "Settings panel ", {"open", "closed"},
           [] { return world.settings.settingsPanel ? 0 : 1; }, switchSettingsPanel),
    action(GLFW_KEY_V, "V", "pipeline view: final, before tone map, glow, blurred glow, shadow cube", "Showing: ",
           {"final picture", "scene before tone mapping", "glow", "blurred glow", "shadow cube faces"},
           pipelineViewState, cyclePipelineView),
    flag(GLFW_KEY_C, "C", "compare: defaults left, yours right", &RenderSettings::compare, "Compare ", "enabled",
         "disabled"),
    action(GLFW_KEY_F11, "F11", "fullscreen on the window's monitor / back", "Fullscreen ", {"enabled", "disabled"},
           fullscreenState, switchFullscreen),
    action(GLFW_KEY_F12, "F12", "save a screenshot (PNG)", nullptr, {}, nullptr, screenshot),
    held(GLFW_KEY_R, "R (end screen)", "new game"),
    held(GLFW_KEY_ESCAPE, "Escape", "quit (closing the window does too)"),
};
const int controlCount = static_cast<int>(std::size(controls));

const Control* pressedControl(int key) {
    for (const Control& control : controls) {
        if (control.key == key && control.press) return &control;
    }
    return nullptr;
}

int stateIndex(const Control& control) {
    if (control.flag) return world.settings.*control.flag ? 0 : 1;
    return control.state ? control.state() : 0;
}

void printState(const Control& control, std::ostream& out) {
    if (control.prefix) out << control.prefix << control.words[stateIndex(control)] << std::endl;
}

void handleViewKeys(GLFWwindow* window) {
    // Keys held since an earlier frame act in the table's order, then this frame's presses in the
    // order they came: the key pressed last decides the view.
    for (const Control& control : controls) {
        if (control.kind == ControlKind::View && keyHeld(window, control.key) && !keyWasPressed(control.key)) {
            control.press(control, window, std::cout);
        }
    }
    for (int i = 0; i < keyPresses.count; ++i) {
        const Control* control = pressedControl(keyPresses.keys[i]);
        if (control && control->kind == ControlKind::View) control->press(*control, window, std::cout);
    }
}

void handleSwitchKeys(GLFWwindow* window, std::ostream& out) {
    for (int i = 0; i < keyPresses.count; ++i) {
        const Control* control = pressedControl(keyPresses.keys[i]);
        if (control && control->kind == ControlKind::Switch) control->press(*control, window, out);
    }
}

void closeSettingsPanel(GLFWwindow* window, std::ostream& out) {
    world.settings.settingsPanel = false;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    centreCursor(window);
    world.recenterCursor = true;
    printState(*pressedControl(GLFW_KEY_TAB), out);
}

const char* currentViewName() {
    const Camera& camera = *world.camera;
    if (camera.mode == CameraMode::Chase) return "chase";
    if (camera.mode == CameraMode::Free) return "free";
    for (const OrbitView& view : orbitViews) {
        if (camera.target == enemy(view.enemy) && camera.orbitEyeOffset == view.eyeOffset) return view.name;
    }
    return "orbit";
}
