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
#include <cstring>
#include <iostream>
#include <iterator>

#include "app/compare_marks.h"
#include "app/controls.h"
#include "game/settings.h"
#include "game/world.h"
#include "render/pass_timer.h"

namespace {
constexpr float baseFontSize = 13.0f;  // ImGui's built-in font: drawn for 13-pixel rows
// At font scale 1, in pixels: the gap between the panel and the window's edges, the graph, a slider.
constexpr float margin = 10.0f;
constexpr float graphWidth = 330.0f;
constexpr float graphHeight = 36.0f;
constexpr float sliderWidth = 190.0f;

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
    std::snprintf(label, sizeof(label), "Reset %s", technique);
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
    addendum(control.key, passMs, text, sizeof(text));
    if (!text[0]) return;
    ImGui::SameLine(0.0f, 0.0f);
    ImGui::TextUnformatted(text);
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
void drawSettings(const Overlay& overlay, const double (&passMs)[renderPassCount]) {
    GLFWwindow* window = glfwGetCurrentContext();
    const float column = overlay.keyColumn;
    const float width = sliderWidth * static_cast<float>(overlay.fontScale);
    ImGui::Separator();
    if (ImGui::Button("Reset all")) {
        for (int i = 0; i < settingCount; ++i) {
            if (firstOfTechnique(i)) resetTechnique(settings[i].technique, window);
        }
    }
    ImGui::SameLine();
    ImGui::TextDisabled("Tab: fly again   hover a slider: what it changes");
    for (int i = 0; i < settingCount; ++i) {
        if (!firstOfTechnique(i)) continue;
        const char* technique = settings[i].technique;
        drawTechniqueHeader(technique, passMs, window);
        for (int c = 0; c < controlCount; ++c) {
            const Setting* setting = settingOf(controls[c]);
            if (setting && inTechnique(*setting, technique)) drawSwitch(controls[c], passMs, column, window);
        }
        for (int s = 0; s < settingCount; ++s) {
            if (inTechnique(settings[s], technique) && isParameter(settings[s])) drawSlider(settings[s], column, width);
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
    glfwGetCursorPos(window, &x, &y);
    io.MousePos = ImVec2(static_cast<float>(x), static_cast<float>(y));
    for (int button = 0; button < IM_ARRAYSIZE(io.MouseDown); ++button) {
        io.MouseDown[button] = glfwGetMouseButton(window, button) == GLFW_PRESS;
    }
}

// GLFW reports the wheel only through a callback: it scrolls the settings panel and nothing else.
void scrollPanel(GLFWwindow*, double x, double y) {
    if (!world.settings.settingsPanel || !ImGui::GetCurrentContext()) return;
    ImGuiIO& io = ImGui::GetIO();
    io.MouseWheelH += static_cast<float>(x);
    io.MouseWheel += static_cast<float>(y);
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
    for (int i = 0; i < controlCount; ++i) {
        if (controls[i].kind != ControlKind::Switch) continue;  // the panels list only the switches
        const ImFont& font = *overlay.textFont;
        widest = std::max(widest, font.CalcTextSizeA(font.FontSize, FLT_MAX, 0.0f, controls[i].label).x);
    }
    overlay.keyColumn = style.WindowPadding.x + widest + style.ItemSpacing.x;
}

namespace {
void drawPanel(Overlay& overlay, const PassTimer& timer, int frames, float meanMs, bool panel) {
    const float fontScale = static_cast<float>(overlay.fontScale);
    // Never beyond the window: scroll bars where the content is larger.
    const ImVec2 window = ImGui::GetIO().DisplaySize;
    const float gap = margin * fontScale;
    ImGui::SetNextWindowPos(ImVec2(gap, gap));
    ImGui::SetNextWindowSizeConstraints(ImVec2(0.0f, 0.0f), ImVec2(std::max(1.0f, window.x - 2.0f * gap),
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
        ImGui::Text("GPU: shadow %.2f  scene %.2f  blur %.2f  composite %.2f ms", passMs[0], passMs[1], passMs[2],
                    passMs[3]);
        if (panel) {
            drawSettings(overlay, passMs);
        } else {
            drawKeys(passMs, overlay.keyColumn);
        }
    }
    ImGui::End();
}
}  // namespace

bool overlayShown(const RenderSettings& settings) { return settings.overlay || settings.compare; }

void drawOverlay(Overlay& overlay, const PassTimer& timer, float dt) {
    overlay.frameMs[overlay.next] = dt * 1000.0f;
    overlay.next = (overlay.next + 1) % Overlay::historyFrames;
    int frames = 0;
    float meanMs = 0.0f;
    lastSecond(overlay, frames, meanMs);

    ImGui_ImplOpenGL3_NewFrame();
    useFontScaleFor(overlay, world.frameHeight);
    ImGui_ImplGlfw_NewFrame();
    const bool panel = world.settings.settingsPanel;
    feedMouse(panel);
    ImGui::NewFrame();
    if (world.settings.overlay) drawPanel(overlay, timer, frames, meanMs, panel);
    if (world.settings.compare) {
        addCompareMarks(world.settings, world.frameWidth, world.frameHeight, overlay.compareDragging);
    }
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
