#include "app/overlay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "app/controls.h"
#include "game/world.h"
#include "render/pass_timer.h"

namespace {
constexpr float fullSizeHeight = 420.0f;  // framebuffer rows the panel fits at full size
constexpr float baseFontSize = 13.0f;     // ImGui's built-in font: drawn for 13-pixel rows
constexpr float keyColumn = 64.0f;        // where a key's line starts after its name, at font scale 1

// Frames per second and mean frame time over the last second of the history.
void lastSecond(const Overlay& overlay, int& frames, float& meanMs) {
    float total = 0.0f;
    frames = 0;
    for (int i = 1; i <= Overlay::historyFrames && total < 1000.0f; ++i) {
        const float ms = overlay.frameMs[(overlay.next - i + Overlay::historyFrames) % Overlay::historyFrames];
        if (ms <= 0.0f) break;
        total += ms;
        frames += 1;
    }
    meanMs = frames > 0 ? total / static_cast<float>(frames) : 0.0f;
}

// What a switch costs or does now, beside its state; empty for most.
void addendum(int key, const double (&passMs)[renderPassCount], char* text, size_t size) {
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

// Every switch of the table with its state; the view and flight keys in one line.
void drawKeys(const double (&passMs)[renderPassCount], float column) {
    ImGui::Separator();
    ImGui::TextUnformatted("1 to 6, 8: views   Esc: quit   flight: see the README");
    ImGui::Separator();
    char extra[64];
    for (int i = 0; i < controlCount; ++i) {
        const Control& control = controls[i];
        if (control.kind != ControlKind::Switch) continue;
        ImGui::TextUnformatted(control.label);
        ImGui::SameLine(column);
        addendum(control.key, passMs, extra, sizeof(extra));
        if (control.prefix) {
            ImGui::Text("%s%s%s", control.prefix, control.words[stateIndex(control)], extra);
        } else {
            ImGui::TextUnformatted(control.does);
        }
    }
}

// Ends the ImGui frame and draws it into the bound framebuffer.
void renderFrameDrawing() {
    ImGui::Render();
    // The window encodes wireframe lines to sRGB; ImGui's colours are stored as they are.
    const bool srgb = glIsEnabled(GL_FRAMEBUFFER_SRGB);
    glDisable(GL_FRAMEBUFFER_SRGB);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (srgb) glEnable(GL_FRAMEBUFFER_SRGB);
}
}  // namespace

void createOverlay(Overlay& overlay, GLFWwindow* window) {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouse | ImGuiConfigFlags_NoMouseCursorChange;
    ImGui::StyleColorsDark();
    ImGui_ImplGlfw_InitForOpenGL(window, false);
    ImGui_ImplOpenGL3_Init("#version 410 core");
    // Shaders and font texture now: were the first frame to make them, its font texture would
    // replace the one useFontScaleFor made, unreleased.
    ImGui_ImplOpenGL3_CreateDeviceObjects();
    overlay.created = true;
}

void useFontScaleFor(Overlay& overlay, int framebufferHeight) {
    const int scale = std::max(1, framebufferHeight / 600);
    if (scale == overlay.fontScale) return;
    overlay.fontScale = scale;
    ImFontAtlas& fonts = *ImGui::GetIO().Fonts;
    ImGui_ImplOpenGL3_DestroyFontsTexture();
    fonts.Clear();
    ImFontConfig config;
    config.SizePixels = baseFontSize * static_cast<float>(scale);
    overlay.textFont = fonts.AddFontDefault(&config);  // the first font is ImGui's default
    config.SizePixels = 3.0f * baseFontSize * static_cast<float>(scale);
    overlay.titleFont = fonts.AddFontDefault(&config);
    ImGui_ImplOpenGL3_CreateFontsTexture();
}

void drawOverlay(Overlay& overlay, const PassTimer& timer, float dt) {
    overlay.frameMs[overlay.next] = dt * 1000.0f;
    overlay.next = (overlay.next + 1) % Overlay::historyFrames;
    int frames = 0;
    float meanMs = 0.0f;
    lastSecond(overlay, frames, meanMs);

    ImGui_ImplOpenGL3_NewFrame();
    useFontScaleFor(overlay, world.frameHeight);
    const float fontScale = static_cast<float>(overlay.fontScale);
    const float column = keyColumn * fontScale;
    ImGui_ImplGlfw_NewFrame();
    // Smaller on a low window, so that the whole panel stays in view.
    ImGui::GetIO().FontGlobalScale = std::clamp(static_cast<float>(world.frameHeight) / fullSizeHeight, 0.75f, 1.0f);
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(10.0f, 10.0f));
    ImGui::SetNextWindowBgAlpha(0.8f);
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
                                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoInputs |
                                   ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoNav;
    ImGui::Begin("Quorlax", nullptr, flags);
    ImGui::Text("View: %s    %d fps, %.1f ms a frame", currentViewName(), frames, meanMs);
    ImGui::PlotLines("##frames", overlay.frameMs, Overlay::historyFrames, overlay.next, "frame time (0 to 100 ms)",
                     0.0f, 100.0f, ImVec2(330.0f * fontScale, 36.0f * fontScale));
    const double(&passMs)[renderPassCount] = timer.lastMs;
    ImGui::Text("GPU: shadow %.2f  scene %.2f  blur %.2f  composite %.2f ms", passMs[0], passMs[1], passMs[2],
                passMs[3]);
    drawKeys(passMs, column);
    ImGui::End();
    renderFrameDrawing();
}

void drawEndScreenText(Overlay& overlay, int framebufferHeight, const char* title, const char* hint) {
    ImGui_ImplOpenGL3_NewFrame();
    useFontScaleFor(overlay, framebufferHeight);
    ImGui_ImplGlfw_NewFrame();
    ImGui::NewFrame();
    // The title, half a line of the hint's height, the hint; together centred. Whole pixels keep
    // the glyphs sharp. Black reads on both the red and the green screen.
    const ImVec2 titleSize = overlay.titleFont->CalcTextSizeA(overlay.titleFont->FontSize, FLT_MAX, 0.0f, title);
    const ImVec2 hintSize = overlay.textFont->CalcTextSizeA(overlay.textFont->FontSize, FLT_MAX, 0.0f, hint);
    const ImVec2 centre = ImGui::GetMainViewport()->GetCenter();
    const float top = centre.y - (titleSize.y + 0.5f * hintSize.y + hintSize.y) * 0.5f;
    const float hintTop = top + titleSize.y + 0.5f * hintSize.y;
    const ImU32 black = IM_COL32(0, 0, 0, 255);
    ImDrawList* drawing = ImGui::GetBackgroundDrawList();
    drawing->AddText(overlay.titleFont, overlay.titleFont->FontSize,
                     ImVec2(std::floor(centre.x - titleSize.x * 0.5f), std::floor(top)), black, title);
    drawing->AddText(overlay.textFont, overlay.textFont->FontSize,
                     ImVec2(std::floor(centre.x - hintSize.x * 0.5f), std::floor(hintTop)), black, hint);
    renderFrameDrawing();
}

void destroyOverlay(Overlay& overlay) {
    if (!overlay.created) return;
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
    overlay.created = false;
}
