#pragma once
// One start-up and one frame for the game, the benchmark and the tests: they differ only in their
// input, their timing and what they do with the picture.

#include "app/overlay.h"
#include "render/frame.h"

struct GLFWwindow;
struct PassTimer;

// What a frame is drawn with besides the world.
struct FrameContext {
    GLFWwindow* window = nullptr;
    Renderer renderer;  // render targets and the GL state of the switches
    Overlay overlay;    // the panel and the end screens' text
};

// Opens the "Quorlax" window of this size with a current 4.1 core context, GLEW loaded and the
// cursor captured; any failure is fatal.
GLFWwindow* openGameWindow(int width = 800, int height = 600);
// Back-face culling, depth test, alpha blending, full-window viewport.
void setFixedGlState();
// Everything the first frame needs in this window: fixed GL state, the world (its models, programs
// and objects), the renderer (its targets and programs) and the overlay.
void setUpGame(FrameContext& context, GLFWwindow* window);

// What the renderer draws from the world now.
Scene worldScene();

enum class FrameOutcome {
    Drawn,    // the game's picture is in the back buffer
    NewGame,  // an end screen waited, R started a new game, and its first picture is in the back buffer
    Quit,     // an end screen waited and Escape or the close button ended it: nothing drawn
};

// The world's update by dt seconds; a game that has ended shows its end screen first.
FrameOutcome updateFrame(FrameContext& context, float dt);
// The passes into the window's back buffer (not swapped), timed when a timer is given; the scene
// pass's counts go to the world.
void drawPicture(FrameContext& context, PassTimer* timer);
// One frame: updateFrame, then, when overlayTimes are given, the overlay's controls (a click or a
// drag acts on this frame's picture), the passes, and the overlay over them showing those pass times.
FrameOutcome drawFrame(FrameContext& context, float dt, PassTimer* timer, const PassTimer* overlayTimes = nullptr);
