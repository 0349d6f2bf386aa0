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

void addCompareMarks(RenderSettings& settings, int width, int height, bool& dragging) {
    ImGuiIO& io = ImGui::GetIO();
    const float line = static_cast<float>(compareColumn(settings, width));
    if (!settings.settingsPanel || !io.MouseDown[0]) dragging = false;
    if (settings.settingsPanel && io.MouseClicked[0] && !io.WantCaptureMouse &&
        std::fabs(io.MousePos.x - line) <= grabPixels) {
        dragging = true;
    }
    if (dragging) settings.compareSplit = std::clamp(io.MousePos.x / static_cast<float>(width), edgeFraction, 1.0f - edgeFraction);

    // ImGui's y runs down from the top; the line covers the window's height.
    ImDrawList* drawing = ImGui::GetBackgroundDrawList();  // under the panel
    const float x = static_cast<float>(compareColumn(settings, width));
    drawing->AddLine(ImVec2(x, 0.0f), ImVec2(x, static_cast<float>(height)), IM_COL32(255, 255, 255, 160), 1.0f);
    const float margin = ImGui::GetFontSize() * 0.5f;
    const float top = static_cast<float>(height) - ImGui::GetFontSize() - margin;
    const char* left = "defaults";
    const float leftWidth = ImGui::CalcTextSize(left).x;
    drawing->AddText(ImVec2(std::floor(x - margin - leftWidth), std::floor(top)), IM_COL32(255, 255, 255, 255), left);
    drawing->AddText(ImVec2(std::floor(x + margin), std::floor(top)), IM_COL32(255, 255, 255, 255), "yours");
}
