#include "app/compare_marks.h"

#include <imgui.h>

#include <algorithm>
#include <cmath>

#include "game/world.h"
#include "render/frame.h"

namespace {
constexpr float grabPixels = 6.0f;     // how near the line a press takes it
constexpr float edgeFraction = 0.05f;  // the line stays this far from either side
}  // namespace

void addBoxedText(ImDrawList* drawing, const char* text, float left, float top, float margin) {
    const ImVec2 size = ImGui::CalcTextSize(text);
    const float pad = margin * 0.5f;
    drawing->AddRectFilled(ImVec2(left - pad, top - pad), ImVec2(left + size.x + pad, top + size.y + pad),
                           IM_COL32(0, 0, 0, 170));
    drawing->AddText(ImVec2(left, top), IM_COL32(255, 255, 255, 255), text);
}

void addCompareMarks(RenderSettings& settings, int width, int height, bool& dragging) {
    ImGuiIO& io = ImGui::GetIO();
    const float line = static_cast<float>(compareColumn(settings, width));
    if (!settings.settingsPanel || !io.MouseDown[0]) dragging = false;
    if (settings.settingsPanel && io.MouseClicked[0] && !io.WantCaptureMouse &&
        std::fabs(io.MousePos.x - line) <= grabPixels) {
        dragging = true;
    }
    if (dragging) {
        settings.compareSplit = std::clamp(io.MousePos.x / static_cast<float>(width), edgeFraction, 1.0f - edgeFraction);
    }

    // ImGui's y runs down from the top; the line covers the window's height.
    ImDrawList* drawing = ImGui::GetBackgroundDrawList();  // under the panel
    const float x = static_cast<float>(compareColumn(settings, width));
    drawing->AddLine(ImVec2(x, 0.0f), ImVec2(x, static_cast<float>(height)), IM_COL32(255, 255, 255, 160), 1.0f);
    const float margin = ImGui::GetFontSize() * 0.5f;
    const float top = std::floor(static_cast<float>(height) - ImGui::GetFontSize() - 2.0f * margin);
    addBoxedText(drawing, "defaults", std::floor(x - margin - ImGui::CalcTextSize("defaults").x), top, margin);
    addBoxedText(drawing, "yours", std::floor(x + margin), top, margin);
}
