#pragma once
// H: an on-screen panel with every key and its state, the view, the frame rate and what each
// pass and technique costs now. Drawn with Dear ImGui into the window after the composite, so
// bloom and tone mapping never touch it; it takes no input (the game keeps its keys and cursor).

struct GLFWwindow;
struct PassTimer;

struct Overlay {
    static constexpr int historyFrames = 240;  // the frame-time graph: the last few seconds
    float frameMs[historyFrames] = {};         // ring buffer of frame times, next slot at `next`
    int next = 0;
    bool created = false;
};

// Creates the panel's context and GL objects for this window; writes no file (no imgui.ini).
void createOverlay(Overlay& overlay, GLFWwindow* window);
// Records the frame time dt (seconds) and draws the panel into the bound window framebuffer,
// filled even in wireframe mode; pass times are the timer's latest frame.
void drawOverlay(Overlay& overlay, const PassTimer& timer, float dt);
void destroyOverlay(Overlay& overlay);
