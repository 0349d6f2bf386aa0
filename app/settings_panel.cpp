#include "app/settings_panel.h"

#include <GLFW/glfw3.h>
#include <imgui.h>

#include <cstdio>
#include <cstring>
#include <iostream>

#include "app/controls.h"
#include "game/settings.h"
#include "game/world.h"

namespace {
void describeCost(int key, const double (&passMs)[renderPassCount], char* text, size_t size) {
    text[0] = '\0';
    switch (key) {
        case GLFW_KEY_F3: std::snprintf(text, size, "  (scene %.2f ms)", passMs[1]); break;
        case GLFW_KEY_F6: std::snprintf(text, size, "  (%d drawn low)", world.lowDetailCount); break;
        case GLFW_KEY_F7: std::snprintf(text, size, "  (blur %.2f ms)", passMs[2]); break;
        case GLFW_KEY_F8:
            std::snprintf(text, size, "  (%d of %d culled)", world.culledCount, static_cast<int>(world.allObjects.size()));
            break;
        case GLFW_KEY_M: std::snprintf(text, size, "  (shadow %.2f ms)", passMs[0]); break;
    }
}
}  // namespace

void drawSwitchCost(int key, const double (&passMs)[renderPassCount], float column) {
    char text[64];
    describeCost(key, passMs, text, sizeof(text));
    if (!text[0]) return;
    ImGui::SameLine(0.0f, 0.0f);
    if (ImGui::CalcTextSize(text).x > ImGui::GetContentRegionAvail().x) {
        ImGui::NewLine();
        ImGui::SetCursorPosX(column);
    }
    ImGui::TextUnformatted(text);
}

namespace {
constexpr float sliderWidth = 140.0f;  // pixels at font scale 1

const char* const passNames[renderPassCount] = {"shadow", "scene", "blur", "composite"};

// The passes a technique's switches and sliders change the time of.
struct TechniqueCost {
    const char* technique;
    bool passes[renderPassCount];  // shadow, scene, blur, composite
};
const TechniqueCost techniqueCosts[] = {
    {"tone map", {false, false, false, true}},     {"bloom", {false, false, true, true}},
    {"shadows", {true, false, false, false}},      {"level of detail", {false, true, false, false}},
    {"culling", {false, true, false, false}},      {"translucency", {false, true, false, false}},
    {"wireframe", {false, true, false, false}},    {"texture filtering", {false, true, false, false}},
};

bool inTechnique(const Setting& setting, const char* technique) { return std::strcmp(setting.technique, technique) == 0; }

// The panel groups by technique, in the order the settings table first names each.
bool firstOfTechnique(int index) {
    for (int i = 0; i < index; ++i) {
        if (inTechnique(settings[i], settings[index].technique)) return false;
    }
    return true;
}

// The setting a switch row flips, or null. F4 and F5 carry no flag (they show the filters the
// textures use, which are as loaded until the first press), so they go by what they set.
const Setting* settingOf(const Control& control) {
    for (int i = 0; i < settingCount; ++i) {
        const Setting& setting = settings[i];
        if (control.flag && setting.flag == control.flag) return &setting;
        if (control.key == GLFW_KEY_F4 && setting.flag == &RenderSettings::textureLinear) return &setting;
        if (control.key == GLFW_KEY_F5 && setting.whole == &RenderSettings::mipmapMode) return &setting;
    }
    return nullptr;
}

bool isParameter(const Setting& setting) { return setting.count || setting.real; }

// A switch that no key flips (how the mouse steers): a checkbox that sets it.
bool hasKey(const Setting& setting) {
    for (int i = 0; i < controlCount; ++i) {
        if (settingOf(controls[i]) == &setting) return true;
    }
    return false;
}
void drawKeylessSwitch(const Setting& setting, float column) {
    bool on = settingValue(world.settings, setting) != 0.0f;
    ImGui::SetCursorPosX(column);
    if (ImGui::Checkbox(setting.name, &on)) setSettingValue(world.settings, setting, on ? 1.0f : 0.0f);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", setting.does);
}

// Whether the compare view's defaults restore this setting, and so a reset: not the pause, the
// statistics, the enemies or the overlay, which belong to no picture.
bool partOfPicture(const Setting& setting) {
    RenderSettings probe;
    const float standard = settingValue(probe, setting);
    setSettingValue(probe, setting, standard == setting.high ? setting.low : setting.high);
    return settingValue(defaultPicture(probe), setting) == standard;
}

// Presses the row until it shows what it shows at the defaults, so its console line prints as
// for the key.
void restoreSwitch(const Control& control, const RenderSettings& defaults, GLFWwindow* window) {
    const RenderSettings now = world.settings;
    world.settings = defaults;
    const int wanted = stateIndex(control);
    world.settings = now;
    for (int press = 0; press < 5 && stateIndex(control) != wanted; ++press) control.press(control, window, std::cout);
}

// The technique's switches and parameters back to the picture's defaults.
void resetTechnique(const char* technique, GLFWwindow* window) {
    const RenderSettings defaults = defaultPicture(world.settings);
    for (int i = 0; i < settingCount; ++i) {
        const Setting& setting = settings[i];
        if (inTechnique(setting, technique) && isParameter(setting)) {
            setSettingValue(world.settings, setting, settingValue(defaults, setting));
        }
    }
    for (int i = 0; i < controlCount; ++i) {
        const Setting* setting = settingOf(controls[i]);
        if (setting && inTechnique(*setting, technique)) restoreSwitch(controls[i], defaults, window);
    }
}

// The technique's name, the time of the passes it changes and, where it has any setting of the
// picture, its reset button.
void drawTechniqueHeader(const char* technique, const double (&passMs)[renderPassCount], GLFWwindow* window) {
    ImGui::Separator();
    const TechniqueCost* cost = nullptr;
    for (const TechniqueCost& entry : techniqueCosts) {
        if (std::strcmp(entry.technique, technique) == 0) cost = &entry;
    }
    if (cost) {
        char passes[48] = "";
        size_t used = 0;
        double ms = 0.0;
        for (int pass = 0; pass < renderPassCount; ++pass) {
            if (!cost->passes[pass]) continue;
            ms += passMs[pass];
            used += static_cast<size_t>(std::snprintf(passes + used, sizeof(passes) - used, "%s%s",
                                                      used ? " + " : "", passNames[pass]));
        }
        ImGui::Text("%s  (%s %.2f ms)", technique, passes, ms);
    } else {
        ImGui::TextUnformatted(technique);
    }
    bool resettable = false;
    for (int i = 0; i < settingCount; ++i) resettable |= inTechnique(settings[i], technique) && partOfPicture(settings[i]);
    if (!resettable) return;
    char label[48];
    std::snprintf(label, sizeof(label), "Reset###%s", technique);
    ImGui::SameLine();
    if (ImGui::SmallButton(label)) resetTechnique(technique, window);
}

// A switch as a checkbox (two states), a button naming its state (more) or one doing what its key
// does (no state); each acts through the key's own press, console line included.
void drawSwitch(const Control& control, const double (&passMs)[renderPassCount], float column, GLFWwindow* window) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(control.label);
    ImGui::SameLine(column);
    char text[112];
    bool pressed = false;
    if (!control.prefix) {
        std::snprintf(text, sizeof(text), "%s###%s", control.does, control.label);
        pressed = ImGui::Button(text);
    } else {
        const int state = stateIndex(control);
        std::snprintf(text, sizeof(text), "%s%s###%s", control.prefix, control.words[state], control.label);
        bool first = state == 0;
        pressed = control.words[2] ? ImGui::Button(text) : ImGui::Checkbox(text, &first);
    }
    if (pressed) control.press(control, window, std::cout);
    drawSwitchCost(control.key, passMs, column);
}

// A parameter's slider over its range, its default in the text; whole ones keep to their steps.
// Hovered, it says what it changes.
void drawSlider(const Setting& setting, float column, float width) {
    static const RenderSettings defaults;
    const float standard = settingValue(defaults, setting);
    const float now = settingValue(world.settings, setting);
    char format[48];
    ImGui::SetCursorPosX(column);
    ImGui::SetNextItemWidth(width);
    if (setting.type == SettingType::Whole) {
        const int low = static_cast<int>(setting.low);
        int value = static_cast<int>(now);
        std::snprintf(format, sizeof(format), "%%d  (default %d)", static_cast<int>(standard));
        if (ImGui::SliderInt(setting.name, &value, low, static_cast<int>(setting.high), format,
                             ImGuiSliderFlags_AlwaysClamp)) {
            value = low + (value - low + setting.step / 2) / setting.step * setting.step;
            setSettingValue(world.settings, setting, static_cast<float>(value));
        }
    } else {
        const int decimals = setting.high - setting.low >= 50.0f ? 0 : 2;
        float value = now;
        std::snprintf(format, sizeof(format), "%%.%df  (default %.*f)", decimals, decimals, standard);
        if (ImGui::SliderFloat(setting.name, &value, setting.low, setting.high, format, ImGuiSliderFlags_AlwaysClamp)) {
            setSettingValue(world.settings, setting, value);
        }
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", setting.does);
}

// The settings panel: "Reset all", then per technique its cost, switches and sliders, then the
// switches of no technique.
}  // namespace

void drawSettingsPanel(float column, int fontScale, const double (&passMs)[renderPassCount]) {
    GLFWwindow* window = glfwGetCurrentContext();
    const float width = sliderWidth * static_cast<float>(fontScale);
    ImGui::Separator();
    if (ImGui::Button("Reset all")) {
        for (int i = 0; i < settingCount; ++i) {
            if (firstOfTechnique(i)) resetTechnique(settings[i].technique, window);
        }
    }
    ImGui::SameLine();
    ImGui::TextDisabled("Tab: fly  hover: what it does");
    for (int i = 0; i < settingCount; ++i) {
        if (!firstOfTechnique(i)) continue;
        const char* technique = settings[i].technique;
        drawTechniqueHeader(technique, passMs, window);
        for (int c = 0; c < controlCount; ++c) {
            const Setting* setting = settingOf(controls[c]);
            if (setting && inTechnique(*setting, technique)) drawSwitch(controls[c], passMs, column, window);
        }
        for (int s = 0; s < settingCount; ++s) {
            if (!inTechnique(settings[s], technique)) continue;
            if (isParameter(settings[s])) drawSlider(settings[s], column, width);
            if (settings[s].flag && !hasKey(settings[s])) drawKeylessSwitch(settings[s], column);
        }
    }
    for (int c = 0; c < controlCount; ++c) {
        const Control& control = controls[c];
        if (control.kind == ControlKind::Switch && !settingOf(control)) drawSwitch(control, passMs, column, window);
    }
    // The compare line moves with this slider, or dragged where the panel does not cover it.
    if (!world.settings.compare) return;
    ImGui::SetCursorPosX(column);
    ImGui::SetNextItemWidth(width);
    ImGui::SliderFloat("compare line", &world.settings.compareSplit, 0.05f, 0.95f, "%.2f of the width",
                       ImGuiSliderFlags_AlwaysClamp);
}

