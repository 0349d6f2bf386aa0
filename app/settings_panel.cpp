#include "app/settings_panel.h"

#include <GLFW/glfw3.h>
#include <imgui.h>

#include <cstdio>
#include <iostream>

#include "app/controls.h"
#include "game/guided_views.h"
#include "game/settings.h"
#include "game/world.h"

namespace {
void describeCost(const Setting& setting, const double (&passMs)[renderPassCount], char* text, size_t size) {
    text[0] = '\0';
    const int pass = static_cast<int>(setting.costPass);
    switch (setting.cost) {
        case SwitchCost::None: break;
        case SwitchCost::Pass: std::snprintf(text, size, "  (%s %.2f ms)", renderPassNames[pass], passMs[pass]); break;
        case SwitchCost::DrawnLow: std::snprintf(text, size, "  (%d drawn low)", world.lowDetailCount); break;
        case SwitchCost::Culled:
            std::snprintf(text, size, "  (%d of %d culled)", world.culledCount, static_cast<int>(world.allObjects.size()));
            break;
    }
}
}  // namespace

void drawSwitchCost(const Setting& setting, const double (&passMs)[renderPassCount], float column) {
    char text[64];
    describeCost(setting, passMs, text, sizeof(text));
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

bool isParameter(const Setting& setting) { return setting.count || setting.real; }

// A switch that no key flips (how the mouse steers): a checkbox that sets it.
void drawKeylessSwitch(const Setting& setting, float column) {
    bool on = settingValue(world.settings, setting) != 0.0f;
    ImGui::SetCursorPosX(column);
    if (ImGui::Checkbox(setting.name, &on)) setSettingValue(world.settings, setting, on ? 1.0f : 0.0f);
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", setting.does);
}

// The technique's settings of the picture back to the picture's defaults; a switch prints what its
// key would.
void resetTechnique(const Technique& technique) {
    const RenderSettings defaults = defaultPicture(world.settings);
    for (const Setting& setting : technique.settings) {
        if (setting.picture) restoreSetting(setting, defaults, std::cout);
    }
}

// Where the technique has any setting of the picture, its reset button and, with a guided view,
// its "Show me" button; they lead the row, so that a long pass time never pushes them out of sight.
void drawTechniqueButtons(const Technique& technique) {
    bool resettable = false;
    for (const Setting& setting : technique.settings) resettable |= setting.picture;
    if (!resettable) return;
    char label[48];
    std::snprintf(label, sizeof(label), "Reset###%s", technique.name);
    if (ImGui::SmallButton(label)) resetTechnique(technique);
    ImGui::SameLine();
    if (const GuidedView* view = guidedViewOf(technique.name)) {
        std::snprintf(label, sizeof(label), "Show me###show %s", technique.name);
        if (ImGui::SmallButton(label)) showGuidedView(*view, std::cout);
        ImGui::SameLine();
    }
}

// The technique's buttons, its name (hovered, what it does) and the time of the passes it changes.
void drawTechniqueHeader(const Technique& technique, const double (&passMs)[renderPassCount]) {
    ImGui::Separator();
    drawTechniqueButtons(technique);
    if (!technique.passes.empty()) {
        char passes[48] = "";
        size_t used = 0;
        double ms = 0.0;
        for (RenderPass pass : technique.passes) {
            const int index = static_cast<int>(pass);
            ms += passMs[index];
            used += static_cast<size_t>(std::snprintf(passes + used, sizeof(passes) - used, "%s%s",
                                                      used ? " + " : "", renderPassNames[index]));
        }
        ImGui::Text("%s  (%s %.2f ms)", technique.name, passes, ms);
    } else {
        ImGui::TextUnformatted(technique.name);
    }
    if (ImGui::IsItemHovered()) ImGui::SetTooltip("%s", technique.explanation);
}

// A switch as a checkbox (two states), a button naming its state (more) or one doing what its key
// does (no state); each acts through the key's own press, console line included.
void drawSwitch(const Setting& setting, const double (&passMs)[renderPassCount], float column, GLFWwindow* window) {
    ImGui::AlignTextToFramePadding();
    ImGui::TextUnformatted(setting.label);
    ImGui::SameLine(column);
    char text[112];
    bool pressed = false;
    if (!setting.prefix) {
        std::snprintf(text, sizeof(text), "%s###%s", setting.keyDoes, setting.label);
        pressed = ImGui::Button(text);
    } else {
        std::snprintf(text, sizeof(text), "%s%s###%s", setting.prefix, stateWord(setting), setting.label);
        bool first = stateIndex(setting) == 0;
        pressed = stateCount(setting) > 2 ? ImGui::Button(text) : ImGui::Checkbox(text, &first);
    }
    if (pressed) pressSwitch(setting, window, std::cout);
    drawSwitchCost(setting, passMs, column);
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

}  // namespace

// The settings panel: "Reset all", then per technique its cost, switches and sliders, then the
// switches of no technique.

void drawSettingsPanel(float column, int fontScale, const double (&passMs)[renderPassCount]) {
    GLFWwindow* window = glfwGetCurrentContext();
    const float width = sliderWidth * static_cast<float>(fontScale);
    ImGui::Separator();
    if (ImGui::Button("Reset all")) {
        for (const Technique& technique : techniques) resetTechnique(technique);
    }
    ImGui::SameLine();
    ImGui::TextDisabled("Tab: fly  hover: what it does");
    // Rows with a --set name get their header; the view's keys follow the game's, unheaded.
    for (const Technique& technique : techniques) {
        bool named = false;
        for (const Setting& setting : technique.settings) named |= setting.name != nullptr;
        if (named) drawTechniqueHeader(technique, passMs);
        for (const Setting& setting : technique.settings) {
            if (setting.key) drawSwitch(setting, passMs, column, window);
        }
        for (const Setting& setting : technique.settings) {
            if (isParameter(setting)) drawSlider(setting, column, width);
            if (setting.flag && !setting.key) drawKeylessSwitch(setting, column);
        }
    }
    // The compare line moves with this slider, or dragged where the panel does not cover it.
    if (!world.settings.compare) return;
    ImGui::SetCursorPosX(column);
    ImGui::SetNextItemWidth(width);
    ImGui::SliderFloat("compare line", &world.settings.compareSplit, 0.05f, 0.95f, "%.2f of the width",
                       ImGuiSliderFlags_AlwaysClamp);
}
