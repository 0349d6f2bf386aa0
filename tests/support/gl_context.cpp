#include "tests/support/gl_context.h"

#include "app/fatal_exit.h"
#include "app/frame.h"

GLFWwindow* sharedGlContext() {
    static GLFWwindow* window = nullptr;
    if (window) return window;
    setFatalPause(false);  // no display or no 4.1 context: fail at once, as the game would
    window = openGameWindow(800, 600);
    while (glGetError() != GL_NO_ERROR) {}  // what loading the entry points left
    return window;
}

std::vector<unsigned char> readPixels(int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
