#include "app/overlay.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <backends/imgui_impl_glfw.h>
#include <backends/imgui_impl_opengl3.h>
#include <imgui.h>

#include <algorithm>

#include "app/fullscreen.h"
#include "app/keyboard.h"
#include "game/world.h"
#include "render/pass_timer.h"

namespace {
constexpr float fullSizeHeight = 420.0f;  // framebuffer rows the panel fits at full size

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

// One key's line: its name, then what it does or the state it is in.
template <typename... Values>
void key(const char* name, const char* format, Values... values) {
    ImGui::TextUnformatted(name);
    ImGui::SameLine(64.0f);
    ImGui::Text(format, values...);
}

void drawKeys(const double (&passMs)[renderPassCount]) {
    const RenderSettings& settings = world.settings;
    ImGui::Separator();
    key("Mouse", "%s", "steer the craft (chase), look around (free)");
    key("W S Q", "%s", "throttle up, down, brake (arrows too)");
    key("A D", "%s", "slide sideways; Space, Shift: rise, sink");
    key("1 2", "%s", "free view, chase view; 3 to 6: orbit views");
    key("8 R", "%s", "free view: to the light, back to (0, 0, 5)");
    ImGui::Separator();
    key("F1", "%s", settings.enemiesFollow ? "Enemies are following you!" : "Enemies are taking a break!");
    key("F2", "Frame statistics %s", settings.printFrameStats ? "on" : "off");
    key("F3", "Wireframe %s  (scene %.2f ms)", enabledWord(settings.wireframe), passMs[1]);
    key("F4", "Texture Sampling %s", settings.textureLinear ? "linear" : "Nearest Neighbor");
    key("F5", "Mip Map Sampeling %s", mipmapWord(settings.mipmapMode));
    key("F6", "LOD %s  (%d drawn low)", settings.lodAlwaysLowest ? "always lowest" : "distance based",
        world.lowDetailCount);
    key("F7", "Bloom %s  (costs %.2f ms)", enabledWord(settings.bloom), passMs[2] + passMs[3]);
    key("F8", "View Frustum Culling %s  (%d of %d culled)", enabledWord(settings.frustumCulling), world.culledCount,
        static_cast<int>(world.allObjects.size()));
    key("F9", "Transparency %s", enabledWord(settings.transparency));
    key("M", "Sky: %s  (shadow %.2f ms)", settings.showShadowCubeMap ? "shadow map" : "sky", passMs[0]);
    key("F11", "Fullscreen %s", enabledWord(isFullscreen(glfwGetCurrentContext())));
    key("H F12", "%s", "Overlay enabled; F12: screenshot; Esc: quit");
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
    overlay.created = true;
}

void drawOverlay(Overlay& overlay, const PassTimer& timer, float dt) {
    overlay.frameMs[overlay.next] = dt * 1000.0f;
    overlay.next = (overlay.next + 1) % Overlay::historyFrames;
    int frames = 0;
    float meanMs = 0.0f;
    lastSecond(overlay, frames, meanMs);

    ImGui_ImplOpenGL3_NewFrame();
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
                     0.0f, 100.0f, ImVec2(330.0f, 36.0f));
    const double(&passMs)[renderPassCount] = timer.lastMs;
    ImGui::Text("GPU: shadow %.2f  scene %.2f  blur %.2f  composite %.2f ms", passMs[0], passMs[1], passMs[2],
                passMs[3]);
    drawKeys(passMs);
    ImGui::End();
    ImGui::Render();
    // The window encodes wireframe lines to sRGB; the panel's colours are stored as they are.
    const bool srgb = glIsEnabled(GL_FRAMEBUFFER_SRGB);
    glDisable(GL_FRAMEBUFFER_SRGB);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    if (srgb) glEnable(GL_FRAMEBUFFER_SRGB);
}

void destroyOverlay(Overlay& overlay) {
    if (!overlay.created) return;
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplGlfw_Shutdown();
    ImGui::DestroyContext();
    overlay.created = false;
}
