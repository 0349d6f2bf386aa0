#include "tests/support/gl_context.h"

#include <cstdio>
#include <cstdlib>

GLFWwindow* sharedGlContext() {
    static GLFWwindow* window = nullptr;
    if (window) return window;
    if (!glfwInit()) {
        std::fprintf(stderr, "GL tests need a display (run them under Xvfb)\n");
        std::exit(1);
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 1);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SRGB_CAPABLE, GLFW_TRUE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(800, 600, "gl test", nullptr, nullptr);
    if (!window) {
        std::fprintf(stderr, "no OpenGL 4.1 core context\n");
        std::exit(1);
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::fprintf(stderr, "GLEW failed\n");
        std::exit(1);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
    return window;
}

std::vector<unsigned char> readPixels(int x, int y, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}
