#include "app/fullscreen.h"

#include <GLFW/glfw3.h>

#include <ostream>

namespace {
// Where the window was before it went fullscreen, in screen coordinates.
struct WindowPlacement {
    int x = 0, y = 0, width = 0, height = 0;
};
WindowPlacement windowed;

GLFWmonitor* monitorHolding(GLFWwindow* window) {
    int x = 0, y = 0, width = 0, height = 0;
    glfwGetWindowPos(window, &x, &y);
    glfwGetWindowSize(window, &width, &height);
    const int centreX = x + width / 2, centreY = y + height / 2;
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        int left = 0, top = 0;
        glfwGetMonitorPos(monitors[i], &left, &top);
        if (mode && centreX >= left && centreX < left + mode->width && centreY >= top && centreY < top + mode->height) {
            return monitors[i];
        }
    }
    return glfwGetPrimaryMonitor();
}
}  // namespace

bool isFullscreen(GLFWwindow* window) { return glfwGetWindowMonitor(window) != nullptr; }

void toggleFullscreen(GLFWwindow* window, std::ostream* out) {
    if (isFullscreen(window)) {
        glfwSetWindowMonitor(window, nullptr, windowed.x, windowed.y, windowed.width, windowed.height, GLFW_DONT_CARE);
    } else {
        GLFWmonitor* monitor = monitorHolding(window);
        const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
        if (!mode) return;
        glfwGetWindowPos(window, &windowed.x, &windowed.y);
        glfwGetWindowSize(window, &windowed.width, &windowed.height);
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    }
    if (out) *out << "Fullscreen " << (isFullscreen(window) ? "enabled" : "disabled") << std::endl;
}
