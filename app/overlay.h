#pragma once
// H: an on-screen panel with every key and its state, the view, the frame rate and what each
// pass and technique costs now. Drawn with Dear ImGui into the window after the composite, so
// bloom and tone mapping never touch it; it takes no input (the game keeps its keys and cursor).

struct GLFWwindow;
struct ImFont;
struct PassTimer;

struct Overlay {
    static constexpr int historyFrames = 240;  // the frame-time graph: the last few seconds
    float frameMs[historyFrames] = {};         // ring buffer of frame times, next slot at `next`
    int next = 0;
    bool created = false;
    int fontScale = 0;             // the fonts are built at this multiple of their base size; 0: not yet
    ImFont* textFont = nullptr;    // the panel's and the end screens' text
    ImFont* titleFont = nullptr;   // an end screen's title, three times as high
};

// Creates the panel's context and GL objects for this window; writes no file (no imgui.ini).
void createOverlay(Overlay& overlay, GLFWwindow* window);
// Records the frame time dt (seconds) and draws the panel into the bound window framebuffer,
// filled even in wireframe mode; pass times are the timer's latest frame.
void drawOverlay(Overlay& overlay, const PassTimer& timer, float dt);
// Builds the fonts (and their GL texture) at max(1, framebufferHeight / 600) times their base size,
// only when that multiple changes: whole multiples keep the glyphs as sharp as at the base size.
// Call between frames.
void useFontScaleFor(Overlay& overlay, int framebufferHeight);
// Draws an end screen's title and, below it, the hint, centred in black into the bound window
// framebuffer; nothing else is drawn, so the colour around them stays as it was cleared.
void drawEndScreenText(Overlay& overlay, int framebufferHeight, const char* title, const char* hint);
void destroyOverlay(Overlay& overlay);
