// Times the start-up (window to the end of the world set-up) and the game's render passes on the start
// view: run it in a directory holding Shader/ and Models/ (the build directory), on a display or
// under Xvfb.
//   frame_benchmark [frames]
#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/game_loop.h"
#include "app/update.h"
#include "game/setup.h"
#include "game/world.h"
#include "render/bloom.h"
#include "render/scene.h"
#include "render/shadow_map.h"

namespace {
// Milliseconds a pass took, waiting for the GL to finish it.
template <typename Pass>
double timePass(Pass pass) {
    glFinish();
    const double start = glfwGetTime();
    pass();
    glFinish();
    return (glfwGetTime() - start) * 1000.0;
}
}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    const auto startUp = std::chrono::steady_clock::now();
    startReadingWorldModels();
    GLFWwindow* window = openGameWindow();
    setFixedGlState();
    ShadowMap shadowMap;
    createShadowMap(shadowMap);
    const auto setUpStart = std::chrono::steady_clock::now();
    setUpWorld(window);
    const auto setUpEnd = std::chrono::steady_clock::now();
    std::printf("world set-up: %.1f ms, start-up until then: %.1f ms\n",
                std::chrono::duration<double, std::milli>(setUpEnd - setUpStart).count(),
                std::chrono::duration<double, std::milli>(setUpEnd - startUp).count());
    createBloomProgram();
    const unsigned hdrFramebuffer = createHdrFramebuffer();
    createBlurTargets();

    double update = 0.0, shadow = 0.0, scene = 0.0, bloom = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        glfwPollEvents();
        update += timePass([&] { updateWorld(window, 1.0f / 60.0f); });
        shadow += timePass([&] { renderShadowPass(shadowMap.framebuffer); });
        scene += timePass([&] {
            glBindFramebuffer(GL_FRAMEBUFFER, hdrFramebuffer);
            glViewport(0, 0, world.windowWidth, world.windowHeight);
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            renderScene();
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
        });
        bloom += timePass([&] {
            blurBrightParts();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            compositeBloom();
        });
        glfwSwapBuffers(window);
    }
    const double total = update + shadow + scene + bloom;
    std::printf("frames %d, ms per frame: update %.2f  shadow %.2f  scene %.2f  bloom %.2f  total %.2f (%.1f fps)\n",
                frames, update / frames, shadow / frames, scene / frames, bloom / frames, total / frames,
                1000.0 * frames / total);
    glfwTerminate();
    return 0;
}
