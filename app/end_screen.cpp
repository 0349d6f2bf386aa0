#include "app/end_screen.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>

#include "app/overlay.h"
#include "game/game_over.h"
#include "game/input.h"

namespace {
// What an end screen shows: its colour over the whole window, the title and the keys in the middle.
struct EndScreen {
    float red, green;
    const char* title;
    const char* message;  // the console's line
};

const EndScreen crashScreen{1.0f, 0.0f, "Game Over", "Game Over, press R to try again or ESC to close!"};
const EndScreen escapeScreen{0.0f, 1.0f, "You Escaped!", "You Escaped! Congratz!"};

// The end screen at the window's size now.
void fillWindow(GLFWwindow* window, Overlay& overlay, const EndScreen& screen) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(screen.red, screen.green, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawEndScreenText(overlay, screen.title, "Press R to try again or Esc to close");
    glfwSwapBuffers(window);
}

// R on an end screen: the keys pressed while it waited are not the new game's.
bool startNewGame() {
    restartGame();
    clearKeyPresses();
    return true;
}
}  // namespace

bool showEndScreen(GLFWwindow* window, Overlay& overlay, GameEnd end) {
    const EndScreen& screen = end == GameEnd::Crash ? crashScreen : escapeScreen;
    fillWindow(window, overlay, screen);
    std::cout << screen.message << std::endl;
    clearKeyPresses();
    if (keyHeld(window, GLFW_KEY_R)) return startNewGame();
    while (!keyHeldOrPressed(window, GLFW_KEY_ESCAPE) && !glfwWindowShouldClose(window)) {
        glfwWaitEvents();
        if (keyHeldOrPressed(window, GLFW_KEY_R)) return startNewGame();
        fillWindow(window, overlay, screen);
    }
    return false;
}
