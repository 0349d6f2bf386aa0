#include "app/overlay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>

#include "app/compare_marks.h"
#include "app/controls.h"
#include "app/settings_panel.h"
#include "game/game_over.h"
#include "game/guided_views.h"
#include "game/input.h"
#include "game/world.h"
#include "render/bloom_chain.h"
#include "render/frame.h"
#include "render/pass_timer.h"
#include "render/pipeline_view.h"

namespace {
constexpr float baseFontSize = 13.0f;  // ImGui's built-in font: drawn for 13-pixel rows
// At font scale 1, in pixels: the gap between the panel and the window's edges, the graph.
constexpr float margin = 10.0f;
constexpr float graphWidth = 290.0f;
// The panel's widest, so that at 800 x 600 it leaves the compare line, its labels and the middle
// of the window (an orbit view's target) in view.
constexpr float panelWidth = 320.0f;
constexpr float graphHeight = 36.0f;

// The panel sits on the left, unless the compare line lies in the left half: then on the right.
bool panelOnRight() {
    return world.settings.compare && compareColumn(world.settings, world.frameWidth) * 2 < world.frameWidth;
}

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

// Every key of the techniques' table with its state; the view and flight keys in one line.
void drawKeys(const double (&passMs)[renderPassCount], float column) {
    ImGui::Separator();
    ImGui::TextUnformatted("1 to 6, 8: views  Esc: quit  flight: README");
    ImGui::Separator();
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (!setting.key) continue;
            ImGui::TextUnformatted(setting.label);
            ImGui::SameLine(column);
            if (setting.prefix) {
                ImGui::Text("%s%s", setting.prefix, stateWord(setting));
            } else {
                ImGui::TextUnformatted(setting.keyDoes);
            }
            drawSwitchCost(setting, passMs, column);
        }
    }
}

// The settings panel takes the mouse as polled now (no callbacks: the game keeps its keys);
// otherwise ImGui sees none, so the overlay never reacts.
void feedMouse(bool panel) {
    ImGuiIO& io = ImGui::GetIO();
    if (!panel) {
        io.ConfigFlags |= ImGuiConfigFlags_NoMouse;
        return;
    }
    io.ConfigFlags &= ~ImGuiConfigFlags_NoMouse;
    GLFWwindow* window = glfwGetCurrentContext();
    double x = 0.0, y = 0.0;
    input.getCursorPos(window, &x, &y);
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    for (int button = 0; button < IM_ARRAYSIZE(io.MouseDown); ++button) {
        io.MouseDown[button] = input.getMouseButton(window, button) == GLFW_PRESS;
    }
}

// GLFW reports the wheel only through a callback: it scrolls the settings panel and nothing else.
void scrollPanel(GLFWwindow*, double x, double y) {
    if (!world.settings.settingsPanel || !ImGui::GetCurrentContext()) return;
    ImGuiIO& io = ImGui::GetIO();
    io.MouseWheelH += static_cast<float>(x);
    io.MouseWheel += static_cast<float>(y);
}

// Starts an ImGui frame for a window of this size (screen coordinates) and framebuffer (pixels).
// The sizes come from the caller: GLFW's own ImGui backend asks the X server for them, the focus
// and the cursor every frame, and waits for each answer.
void startOverlayFrame(Overlay& overlay, int windowWidth, int windowHeight, int frameWidth, int frameHeight,
                       float dt) {
    ImGui_ImplOpenGL3_NewFrame();
    useFontScaleFor(overlay, frameHeight);
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(windowWidth), static_cast<float>(windowHeight));
    if (windowWidth > 0 && windowHeight > 0) {
        io.DisplayFramebufferScale = ImVec2(static_cast<float>(frameWidth) / static_cast<float>(windowWidth),
                                            static_cast<float>(frameHeight) / static_cast<float>(windowHeight));
    }
    io.DeltaTime = dt > 0.0f ? dt : 1.0f / 60.0f;
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
    ImGui_ImplOpenGL3_Init("#version 410 core");
    // Shaders and font texture now: were the first frame to make them, its font texture would
    // replace the one useFontScaleFor made, unreleased.
    ImGui_ImplOpenGL3_CreateDeviceObjects();
    glfwSetScrollCallback(window, scrollPanel);
    overlay.created = true;
}

float frameGraphTop(const Overlay& overlay) {
    const float longest = *std::max_element(std::begin(overlay.frameMs), std::end(overlay.frameMs));
    if (longest <= 0.0f) return 10.0f;
    const float unit = std::pow(10.0f, std::floor(std::log10(longest)));
    return std::ceil(longest / unit) * unit;
}

void useFontScaleFor(Overlay& overlay, int framebufferHeight) {
    const int scale = std::max(1, framebufferHeight / 600);
    if (scale == overlay.fontScale) return;
    overlay.fontScale = scale;
    ImGuiStyle style;
    ImGui::StyleColorsDark(&style);
    style.ScaleAllSizes(static_cast<float>(scale));
    ImGui::GetStyle() = style;
    ImFontAtlas& fonts = *ImGui::GetIO().Fonts;
    ImGui_ImplOpenGL3_DestroyFontsTexture();
    fonts.Clear();
    ImFontConfig config;
    config.SizePixels = baseFontSize * static_cast<float>(scale);
    overlay.textFont = fonts.AddFontDefault(&config);  // the first font is ImGui's default
    config.SizePixels = 3.0f * baseFontSize * static_cast<float>(scale);
    overlay.titleFont = fonts.AddFontDefault(&config);
    ImGui_ImplOpenGL3_CreateFontsTexture();
    float widest = 0.0f;
    const ImFont& font = *overlay.textFont;
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (!setting.key) continue;  // the panels list only the table's keys
            widest = std::max(widest, font.CalcTextSizeA(font.FontSize, FLT_MAX, 0.0f, setting.label).x);
        }
    }
    overlay.keyColumn = style.WindowPadding.x + widest + style.ItemSpacing.x;
}

namespace {
void drawPanel(Overlay& overlay, const PassTimer& timer, int frames, float meanMs, bool panel) {
    const float fontScale = static_cast<float>(overlay.fontScale);
    // Never beyond the window: scroll bars where the content is larger.
    const ImVec2 window = ImGui::GetIO().DisplaySize;
    const float gap = margin * fontScale;
    const bool right = panelOnRight();
    ImGui::SetNextWindowPos(ImVec2(right ? window.x - gap : gap, gap), ImGuiCond_Always,
                            ImVec2(right ? 1.0f : 0.0f, 0.0f));
    ImGui::SetNextWindowSizeConstraints(
        ImVec2(0.0f, 0.0f), ImVec2(std::max(1.0f, std::min(window.x - 2.0f * gap, panelWidth * fontScale)),
                                   std::max(1.0f, window.y - 2.0f * gap)));
    ImGui::SetNextWindowBgAlpha(0.8f);
    const ImGuiWindowFlags flags = ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                   ImGuiWindowFlags_AlwaysAutoResize | ImGuiWindowFlags_HorizontalScrollbar |
                                   ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                   ImGuiWindowFlags_NoNav | (panel ? 0 : ImGuiWindowFlags_NoInputs);
    // The first line is the title bar, so that the panel collapses to it; "###" keeps the window
    // the same while the text changes.
    const bool opening = panel && !overlay.panelDrawn;
    overlay.panelDrawn = panel;
    if (opening) ImGui::SetNextWindowCollapsed(false);
    char title[96];
    std::snprintf(title, sizeof(title), "View: %s    %d fps, %.1f ms a frame###overlay", currentViewName(), frames,
                  meanMs);
    if (ImGui::Begin(title, nullptr, flags)) {
        if (opening) ImGui::SetScrollY(0.0f);
        const float top = frameGraphTop(overlay);
        char range[48];
        std::snprintf(range, sizeof(range), "frame time (0 to %g ms)", top);
        ImGui::PlotLines("##frames", overlay.frameMs, Overlay::historyFrames, overlay.next, range, 0.0f, top,
                         ImVec2(graphWidth * fontScale, graphHeight * fontScale));
        const double(&passMs)[renderPassCount] = timer.lastMs;
        ImGui::TextUnformatted(timer.exact ? "Passes, each finished before the next:"
                                           : "Passes, by GPU timer queries:");
        for (int pass = 0; pass < renderPassCount; ++pass) {
            if (pass >= alwaysReportedPasses && passMs[pass] == 0.0) continue;  // a stage that did not run
            if (pass % 2) ImGui::SameLine();  // two a line
            ImGui::Text("%s %.2f ms ", renderPassNames[pass], passMs[pass]);
        }
        if (panel) {
            drawSettingsPanel(overlay.keyColumn, overlay.fontScale, passMs);
        } else {
            drawKeys(passMs, overlay.keyColumn);
        }
    }
    ImGui::End();
}

// The top of the row above the compare view's labels, where the boxed lines at the bottom end.
float rowAboveLabels(int height) {
    return std::floor(static_cast<float>(height) - 2.0f * (ImGui::GetFontSize() + ImGui::GetFontSize()));
}

// The keys a newcomer needs first, at the bottom left.
void addFirstHint(int height) {
    const float margin = ImGui::GetFontSize() * 0.5f;
    addBoxedText(ImGui::GetBackgroundDrawList(), "H: keys   Tab: settings   F1: the enemies chase you",
                 2.0f * margin, rowAboveLabels(height), margin);
}

// The throttle and, while the enemies follow, how far the nearest is from the escape distance: at
// the bottom right, or the bottom left while the panel sits on the right, growing upwards.
void addGoalReadout(int width, int height) {
    char text[96];
    describeGoal(world.allObjects[0]->speed, nearestEnemyDistance(), world.settings.enemiesFollow, text, sizeof(text));
    const float margin = ImGui::GetFontSize() * 0.5f;
    const ImVec2 size = ImGui::CalcTextSize(text);
    const float left = panelOnRight() ? 2.0f * margin : std::floor(static_cast<float>(width) - 2.0f * margin - size.x);
    addBoxedText(ImGui::GetBackgroundDrawList(), text, left, rowAboveLabels(height) + ImGui::GetFontSize() - size.y,
                 margin);
}
// The pipeline view's name at the top, also without the panel; the shadow cube's face names in its
// cells, and the false colours' legend of the view before tone mapping.
void addPipelineViewLabels(PipelineView view, int width, int height) {
    if (view == PipelineView::Final) return;
    ImDrawList* drawing = ImGui::GetBackgroundDrawList();
    const ImVec2 scale = ImGui::GetIO().DisplayFramebufferScale;
    const float margin = ImGui::GetFontSize() * 0.5f;
    char name[64];
    std::snprintf(name, sizeof(name), "Showing: %s", pipelineViewName(view));
    const float windowWidth = static_cast<float>(width) / scale.x;
    addBoxedText(drawing, name, std::floor(0.5f * (windowWidth - ImGui::CalcTextSize(name).x)), 2.0f * margin, margin);
    if (view == PipelineView::ShadowCube) {
        const CubeCross cross = cubeCross(width, height);
        for (int face = 0; face < 6; ++face) {
            const float left = static_cast<float>(cross.x + cubeFaceCells[face][0] * cross.cell) / scale.x;
            const float top = static_cast<float>(height - cross.y - (cubeFaceCells[face][1] + 1) * cross.cell) / scale.y;
            addBoxedText(drawing, cubeFaceNames[face], std::floor(left + 2.0f * margin), std::floor(top + 2.0f * margin),
                         margin);
        }
    }
    if (view == PipelineView::BloomLevels) {
        const int levels = std::clamp(world.settings.parameters.bloomLevels, 1, maxBloomLevels);
        for (int level = 0; level < levels; ++level) {
            const PixelRect tile = bloomLevelTile(level, width, height);
            char label[16];
            std::snprintf(label, sizeof(label), "1/%d", 2 << level);
            addBoxedText(drawing, label, std::floor(static_cast<float>(tile.x0) / scale.x + margin),
                         std::floor(static_cast<float>(height - tile.y1) / scale.y + margin), margin);
        }
    }
    if (view != PipelineView::SceneBeforeToneMap) return;
    const float rowHeight = ImGui::GetFontSize() + margin;
    const float legendWidth = ImGui::GetFontSize() * 9.0f;
    float top = 2.0f * margin + 2.0f * rowHeight;
    for (const BrightnessBand& band : brightnessBands) {
        const ImVec2 corner(std::floor(windowWidth - legendWidth - 2.0f * margin), top);
        drawing->AddRectFilled(ImVec2(corner.x - 0.5f * margin, corner.y - 0.5f * margin),
                               ImVec2(corner.x + legendWidth, corner.y + rowHeight - 0.5f * margin),
                               IM_COL32(0, 0, 0, 170));
        drawing->AddRectFilled(corner, ImVec2(corner.x + ImGui::GetFontSize(), corner.y + ImGui::GetFontSize()),
                               IM_COL32(band.red * 255, band.green * 255, band.blue * 255, 255));
        drawing->AddText(ImVec2(corner.x + 1.5f * ImGui::GetFontSize(), corner.y), IM_COL32(255, 255, 255, 255),
                         band.name);
        top += rowHeight;
    }
}
// A guided view's lines at the top left, one box each.
void addGuidedText() {
    if (!guided.shown || !guided.textShown) return;
    const float margin = ImGui::GetFontSize() * 0.5f;
    float top = 2.0f * margin + 2.0f * (ImGui::GetFontSize() + margin);
    for (const char* line : guided.shown->lines) {
        if (!line) break;
        addBoxedText(ImGui::GetBackgroundDrawList(), line, 2.0f * margin, top, margin);
        top += ImGui::GetFontSize() + margin;
    }
}
}  // namespace

void buildOverlay(Overlay& overlay, const PassTimer& timer, float dt) {
    overlay.frameMs[overlay.next] = dt * 1000.0f;
    overlay.next = (overlay.next + 1) % Overlay::historyFrames;
    int frames = 0;
    float meanMs = 0.0f;
    lastSecond(overlay, frames, meanMs);

    startOverlayFrame(overlay, world.windowWidth, world.windowHeight, world.frameWidth, world.frameHeight, dt);
    const bool panel = world.settings.settingsPanel;
    feedMouse(panel);
    ImGui::NewFrame();
    if (world.settings.overlay) drawPanel(overlay, timer, frames, meanMs, panel);
    if (world.settings.compare) {
        addCompareMarks(world.settings, world.frameWidth, world.frameHeight, overlay.compareDragging);
    }
    if (overlay.firstHint) addFirstHint(world.frameHeight);
    addGoalReadout(world.frameWidth, world.frameHeight);
    addPipelineViewLabels(world.settings.pipelineView, world.frameWidth, world.frameHeight);
    addGuidedText();
}

void drawOverlay() { renderFrameDrawing(); }


void drawEndScreenText(Overlay& overlay, const char* title, const char* hint) {
    GLFWwindow* window = glfwGetCurrentContext();
    int windowWidth = 0, windowHeight = 0, frameWidth = 0, frameHeight = 0;
    glfwGetWindowSize(window, &windowWidth, &windowHeight);
    glfwGetFramebufferSize(window, &frameWidth, &frameHeight);
    startOverlayFrame(overlay, windowWidth, windowHeight, frameWidth, frameHeight, 0.0f);
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
    ImGui::DestroyContext();
    overlay.created = false;
}
