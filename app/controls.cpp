#include "app/controls.h"

#include <GLFW/glfw3.h>

#include <ostream>
#include <iterator>

#include "app/fullscreen.h"
#include "app/screenshot.h"
#include "game/guided_views.h"
#include "game/input.h"
#include "game/settings.h"
#include "game/world.h"
#include "render/pipeline_view.h"
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

void freeView(GLFWwindow*) { world.camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f); }
void chaseView(GLFWwindow* window) {
    if (world.allObjects.empty()) return;
    chaseCraft(*world.camera, world.allObjects[0]);
    centreCursor(window);
}
void orbit3(GLFWwindow*) { orbit(orbitViews[0]); }
void orbit4(GLFWwindow*) { orbit(orbitViews[1]); }
void orbit5(GLFWwindow*) { orbit(orbitViews[2]); }
void orbit6(GLFWwindow*) { orbit(orbitViews[3]); }
void toTheLight(GLFWwindow*) {
    Camera& camera = *world.camera;
    if (camera.mode == CameraMode::Free) camera.switchToFree(world.light.position, 3.14f, 0.0f);
}

// F4 and F5 both report the two filter lines; from the first press on, the textures follow them.
void printFilters(std::ostream& out) {
    world.settings.filtersChosen = true;
    printState(*pressedSwitch(GLFW_KEY_F4), out);
    printState(*pressedSwitch(GLFW_KEY_F5), out);
}

// What the key prints after its change.
void printPressLines(const Setting& setting, std::ostream& out) {
    switch (setting.action) {
        case KeyAction::Sampling:
        case KeyAction::Mipmaps: printFilters(out); break;
        case KeyAction::Flip:
        case KeyAction::Overlay:
        case KeyAction::SettingsPanel:
        case KeyAction::PipelineView: printState(setting, out); break;
        default: break;
    }
}

// Tab: the overlay shows and takes the mouse, the cursor is free; or the game takes it back.
void switchSettingsPanel(const Setting& tab, GLFWwindow* window, std::ostream& out) {
    if (world.settings.settingsPanel) {
        closeSettingsPanel(window, out);
        return;
    }
    world.settings.settingsPanel = true;
    world.settings.overlay = true;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_NORMAL);
    printState(tab, out);
}
}  // namespace

const Control controls[] = {
    {0, "Mouse", "steer the craft (chase view) or look around (free view)", ControlKind::Held, nullptr},
    {GLFW_KEY_W, "W / Up", "throttle up; free view: fly forward", ControlKind::Held, nullptr},
    {GLFW_KEY_S, "S / Down", "throttle down, reverse below zero; free view: fly back", ControlKind::Held, nullptr},
    {GLFW_KEY_Q, "Q", "brake", ControlKind::Held, nullptr},
    {GLFW_KEY_A, "A / Left", "slide left; free view: fly left", ControlKind::Held, nullptr},
    {GLFW_KEY_D, "D / Right", "slide right; free view: fly right", ControlKind::Held, nullptr},
    {GLFW_KEY_SPACE, "Space", "rise", ControlKind::Held, nullptr},
    {GLFW_KEY_LEFT_SHIFT, "Left Shift", "sink", ControlKind::Held, nullptr},
    {GLFW_KEY_1, "1", "free view from where the camera is now", ControlKind::View, freeView},
    {GLFW_KEY_2, "2", "chase view behind your craft", ControlKind::View, chaseView},
    {GLFW_KEY_3, "3", "orbit view of the lead enemy", ControlKind::View, orbit3},
    {GLFW_KEY_4, "4", "orbit view of the lead enemy, from below", ControlKind::View, orbit4},
    {GLFW_KEY_5, "5", "orbit view of another enemy", ControlKind::View, orbit5},
    {GLFW_KEY_6, "6", "orbit view of another enemy, from behind", ControlKind::View, orbit6},
    {GLFW_KEY_8, "8 (free view)", "jump to the light", ControlKind::View, toTheLight},
    {GLFW_KEY_R, "R (free view)", "free camera back to (0, 0, 5)", ControlKind::Held, nullptr},
    {GLFW_KEY_R, "R (end screen)", "new game", ControlKind::Held, nullptr},
    {GLFW_KEY_ESCAPE, "Escape", "quit (closing the window does too)", ControlKind::Held, nullptr},
};
const int controlCount = static_cast<int>(std::size(controls));

const Setting* pressedSwitch(int key) {
    for (size_t row = 0; row < techniques.size(); ++row) {
        for (const Setting& setting : techniques[row].settings) {
            if (setting.key == key) return &setting;
        }
    }
    return nullptr;
}

int stateIndex(const Setting& setting) {
    switch (setting.action) {
        // The textures sample as loaded (linear, no mip-maps) until F4 or F5 is first pressed.
        case KeyAction::Sampling: return textureFilters(world.settings).linear ? 0 : 1;
        case KeyAction::Mipmaps: return textureFilters(world.settings).mipmapMode;
        case KeyAction::PipelineView: return static_cast<int>(world.settings.pipelineView);
        case KeyAction::Fullscreen: return isFullscreen(glfwGetCurrentContext()) ? 0 : 1;
        default: return setting.flag && !(world.settings.*setting.flag) ? 1 : 0;
    }
}

int stateCount(const Setting& setting) {
    if (setting.action == KeyAction::PipelineView) return static_cast<int>(PipelineView::Count);
    return static_cast<int>(setting.words.size());
}

const char* stateWord(const Setting& setting) {
    if (setting.action == KeyAction::PipelineView) return pipelineViewName(world.settings.pipelineView);
    return setting.words[stateIndex(setting)];
}

void printState(const Setting& setting, std::ostream& out) {
    if (setting.prefix) out << setting.prefix << stateWord(setting) << std::endl;
}

void pressSwitch(const Setting& setting, GLFWwindow* window, std::ostream& out) {
    RenderSettings& settings = world.settings;
    switch (setting.action) {
        case KeyAction::None: return;
        case KeyAction::Flip:
        case KeyAction::FlipQuietly:
        case KeyAction::Overlay: settings.*setting.flag = !(settings.*setting.flag); break;
        case KeyAction::Sampling: settings.textureLinear = !settings.textureLinear; break;
        case KeyAction::Mipmaps: settings.mipmapMode = (settings.mipmapMode + 1) % stateCount(setting); break;
        case KeyAction::PipelineView:
            settings.pipelineView = static_cast<PipelineView>((stateIndex(setting) + 1) % stateCount(setting));
            break;
        case KeyAction::SettingsPanel: switchSettingsPanel(setting, window, out); return;
        case KeyAction::Step: settings.stepOnce = settings.paused; return;
        case KeyAction::Fullscreen: toggleFullscreen(window, &out); return;
        case KeyAction::Screenshot: requestScreenshot(); return;
    }
    printPressLines(setting, out);
    // H: hiding the overlay hides the settings panel too, and the game takes the mouse back.
    if (setting.action == KeyAction::Overlay && !settings.overlay && settings.settingsPanel) {
        closeSettingsPanel(window, out);
    }
}

void restoreSetting(const Setting& setting, const RenderSettings& defaults, std::ostream& out) {
    const float wanted = settingValue(defaults, setting);
    if (settingValue(world.settings, setting) == wanted) return;
    setSettingValue(world.settings, setting, wanted);
    if (setting.key) printPressLines(setting, out);
}

void handleViewKeys(GLFWwindow* window) {
    // In a guided view a view key pressed gives the game back, as it stood.
    if (guided.shown) {
        for (int i = 0; i < keyPresses.count; ++i) {
            for (const Control& control : controls) {
                if (control.kind == ControlKind::View && control.key == keyPresses.keys[i]) leaveGuidedView();
            }
        }
        return;
    }
    // Keys held since an earlier frame act in the table's order, then this frame's presses in the
    // order they came: the key pressed last decides the view.
    for (const Control& control : controls) {
        if (control.kind == ControlKind::View && keyHeld(window, control.key) && !keyWasPressed(control.key)) {
            control.press(window);
        }
    }
    for (int i = 0; i < keyPresses.count; ++i) {
        for (const Control& control : controls) {
            if (control.kind == ControlKind::View && control.key == keyPresses.keys[i]) control.press(window);
        }
    }
}

void handleSwitchKeys(GLFWwindow* window, std::ostream& out) {
    for (int i = 0; i < keyPresses.count; ++i) {
        // In a guided view P gives the game back, and H hides or shows the view's lines.
        if (guided.shown && keyPresses.keys[i] == GLFW_KEY_P) {
            leaveGuidedView();
            continue;
        }
        if (guided.shown && keyPresses.keys[i] == GLFW_KEY_H) {
            guided.textShown = !guided.textShown;
            continue;
        }
        const Setting* setting = pressedSwitch(keyPresses.keys[i]);
        if (setting) pressSwitch(*setting, window, out);
    }
}

void closeSettingsPanel(GLFWwindow* window, std::ostream& out) {
    world.settings.settingsPanel = false;
    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    centreCursor(window);
    world.recenterCursor = true;
    printState(*pressedSwitch(GLFW_KEY_TAB), out);
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
