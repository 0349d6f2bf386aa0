#pragma once
// H: an on-screen panel with every key and its state, the view, the frame rate and what each
// pass and technique costs now. Drawn with Dear ImGui into the window after the composite, so
// bloom and tone mapping never touch it. It takes no input until Tab opens the settings panel:
// then the mouse works its checkboxes, buttons and sliders (the keys stay the game's).

struct GLFWwindow;
struct ImFont;
struct PassTimer;
struct RenderSettings;

struct Overlay {
    static constexpr int historyFrames = 240;  // the frame-time graph: the last few seconds
    float frameMs[historyFrames] = {};         // ring buffer of frame times, next slot at `next`
    int next = 0;
    bool created = false;
    int fontScale = 0;             // the fonts are built at this multiple of their base size; 0: not yet
    ImFont* textFont = nullptr;    // the panel's and the end screens' text
    ImFont* titleFont = nullptr;   // an end screen's title, three times as high
    float keyColumn = 0.0f;        // where a row starts after its key's name, in pixels at this font
    bool panelDrawn = false;       // the last frame drew the settings panel
    bool compareDragging = false;  // the settings panel's mouse holds the compare line
    bool firstHint = false;        // drawOverlay adds a line naming H, Tab and F1 (the game's until a key)
};

// Creates the panel's context and GL objects for this window and takes its mouse wheel for the
// settings panel; writes no file (no imgui.ini).
void createOverlay(Overlay& overlay, GLFWwindow* window);
// Records the frame time dt (seconds) and builds this frame's overlay: the goal readout, the panel
// while shown, the compare view's line and labels and the first hint while asked for; pass times
// are the timer's latest frame. While the settings panel is open, the current window's cursor and
// buttons (polled: a click must last into the next frame) work the panel's controls and the
// compare line, which act at once, as their keys do: call it before the frame's passes. The panel
// opens expanded and scrolled to its top, so that each control is where it was the last time it
// opened.
void buildOverlay(Overlay& overlay, const PassTimer& timer, float dt);
// Draws the overlay built last into the bound window framebuffer (filled even in wireframe mode).
void drawOverlay();
// The frame-time graph's top: the longest frame it shows, in ms, rounded up to a whole number of
// units of its leading digit (33.3 to 40, 7.2 to 8, 120 to 200); 10 before any frame.
float frameGraphTop(const Overlay& overlay);
// Builds the fonts (and their GL texture) at max(1, framebufferHeight / 600) times their base size,
// only when that multiple changes: whole multiples keep the glyphs as sharp as at the base size.
// Spacing and padding scale with them. Call between frames.
void useFontScaleFor(Overlay& overlay, int framebufferHeight);
// Draws an end screen's title and, below it, the hint, centred in black into the bound framebuffer
// of the current window at its size now; nothing else is drawn, so the colour around them stays as
// it was cleared.
void drawEndScreenText(Overlay& overlay, const char* title, const char* hint);
void destroyOverlay(Overlay& overlay);
