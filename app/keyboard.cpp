#include "app/keyboard.h"

#include <GL/glew.h>

#include <iterator>
#include <ostream>

#include "app/fullscreen.h"
#include "game/input.h"
#include "game/world.h"
#include "render/scene.h"
#include "view/camera.h"

namespace {
// The orbit views: key, which enemy they watch, and from where.
struct OrbitView {
    int key;
    size_t enemy;
    glm::vec3 eyeOffset;
};
const OrbitView orbitViews[] = {{GLFW_KEY_3, 0, {2.0f, 3.0f, -3.0f}},
                                {GLFW_KEY_4, 0, {-2.0f, -3.0f, 3.0f}},
                                {GLFW_KEY_5, 1, {2.0f, 3.0f, 3.0f}},
                                {GLFW_KEY_6, 1, {0.0f, 0.0f, -10.0f}}};

void orbit(SceneObject* target, glm::vec3 eyeOffset) {
    if (!target) return;
    Camera& camera = *world.camera;
    camera.target = target;
    camera.orbitEyeOffset = eyeOffset;
    camera.orbitLookOffset = glm::vec3(0.0f);
    camera.mode = CameraMode::Orbit;
}

SceneObject* enemy(size_t index) { return index < world.enemies.size() ? world.enemies[index] : nullptr; }

// What one view key does; other keys do nothing here.
void applyViewKey(GLFWwindow* window, int key) {
    Camera& camera = *world.camera;
    if (key == GLFW_KEY_1) camera.switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
    if (key == GLFW_KEY_2 && !world.allObjects.empty()) {
        chaseCraft(camera, world.allObjects[0]);
        input.setCursorPos(window, world.windowWidth / 2, world.windowHeight / 2);
    }
    for (const OrbitView& view : orbitViews) {
        if (key == view.key) orbit(enemy(view.enemy), view.eyeOffset);
    }
}

void printFilterState(std::ostream& out) {
    out << "Texture Sampling " << (world.settings.textureLinear ? "linear" : "Nearest Neighbor") << std::endl;
    out << "Mip Map Sampeling " << mipmapWord(world.settings.mipmapMode) << std::endl;
}

// Acts on one press of a toggle key and reports it; other keys do nothing here.
void toggle(GLFWwindow* window, int key, std::ostream& out) {
    RenderSettings& settings = world.settings;
    switch (key) {
        case GLFW_KEY_F1:
            settings.enemiesFollow = !settings.enemiesFollow;
            out << "Enemies " << (settings.enemiesFollow ? "are following you!" : "are taking a break!") << std::endl;
            break;
        case GLFW_KEY_F2: settings.printFrameStats = !settings.printFrameStats; break;
        case GLFW_KEY_F3:
            settings.wireframe = !settings.wireframe;
            setWireframe(settings.wireframe);
            out << "Wireframe " << enabledWord(settings.wireframe) << std::endl;
            break;
        case GLFW_KEY_F4:
            settings.textureLinear = !settings.textureLinear;
            refilterTextures();
            printFilterState(out);
            break;
        case GLFW_KEY_F5:
            settings.mipmapMode = (settings.mipmapMode + 1) % 3;
            refilterTextures();
            printFilterState(out);
            break;
        case GLFW_KEY_F6:
            settings.lodAlwaysLowest = !settings.lodAlwaysLowest;
            out << "LOD " << (settings.lodAlwaysLowest ? "always lowest" : "distance based") << std::endl;
            break;
        case GLFW_KEY_F7:
            settings.bloom = !settings.bloom;
            out << "Bloom " << enabledWord(settings.bloom) << std::endl;
            break;
        case GLFW_KEY_F8:
            settings.frustumCulling = !settings.frustumCulling;
            out << "View Frustum Culling " << enabledWord(settings.frustumCulling) << std::endl;
            break;
        case GLFW_KEY_F9:
            settings.transparency = !settings.transparency;
            if (settings.transparency) {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            } else {
                glDisable(GL_BLEND);
            }
            out << "Transparency " << enabledWord(settings.transparency) << std::endl;
            break;
        case GLFW_KEY_M: settings.showShadowCubeMap = !settings.showShadowCubeMap; break;
        case GLFW_KEY_H:
            settings.overlay = !settings.overlay;
            out << "Overlay " << enabledWord(settings.overlay) << std::endl;
            break;
        case GLFW_KEY_F11: toggleFullscreen(window, &out); break;
        case GLFW_KEY_F12: world.screenshotRequested = true; break;
    }
}
}  // namespace

const char* enabledWord(bool on) { return on ? "enabled" : "disabled"; }

const char* mipmapWord(int mode) {
    static const char* const words[3] = {"off", "nearest", "linear"};
    return words[((mode % 3) + 3) % 3];
}

void handleCameraKeys(GLFWwindow* window) {
    // Keys held since an earlier frame act in their fixed order, then this frame's presses in the
    // order they came: the key pressed last decides the view.
    static const int viewKeys[] = {GLFW_KEY_1, GLFW_KEY_2, GLFW_KEY_3, GLFW_KEY_4, GLFW_KEY_5, GLFW_KEY_6};
    for (int key : viewKeys) {
        if (keyHeld(window, key) && !keyWasPressed(key)) applyViewKey(window, key);
    }
    for (int i = 0; i < keyPresses.count; ++i) applyViewKey(window, keyPresses.keys[i]);
}

const char* currentViewName() {
    static const char* const orbitNames[] = {"orbit 3", "orbit 4", "orbit 5", "orbit 6"};
    const Camera& camera = *world.camera;
    if (camera.mode == CameraMode::Chase) return "chase";
    if (camera.mode == CameraMode::Free) return "free";
    for (size_t i = 0; i < std::size(orbitViews); ++i) {
        const OrbitView& view = orbitViews[i];
        if (camera.target == enemy(view.enemy) && camera.orbitEyeOffset == view.eyeOffset) return orbitNames[i];
    }
    return "orbit";
}

void handleLightKey(GLFWwindow* window) {
    Camera& camera = *world.camera;
    if (camera.mode == CameraMode::Free && keyHeldOrPressed(window, GLFW_KEY_8)) {
        camera.switchToFree(world.light.position, 3.14f, 0.0f);
    }
}

void handleToggleKeys(GLFWwindow* window, std::ostream& out) {
    for (int i = 0; i < keyPresses.count; ++i) toggle(window, keyPresses.keys[i], out);
}

void refilterTextures() {
    static const GLint minFilters[3][2] = {{GL_NEAREST, GL_LINEAR},
                                           {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST},
                                           {GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}};
    const bool linear = world.settings.textureLinear;
    const GLint minFilter = minFilters[world.settings.mipmapMode][linear ? 1 : 0];
    const GLint magFilter = linear ? GL_LINEAR : GL_NEAREST;
    for (const Texture& texture : world.textureList) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture.textureId);
        glBindSampler(0, texture.samplerId);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        // The bound sampler overrides the texture's own state, so it must carry the same filters.
        glSamplerParameteri(texture.samplerId, GL_TEXTURE_MIN_FILTER, minFilter);
        glSamplerParameteri(texture.samplerId, GL_TEXTURE_MAG_FILTER, magFilter);
    }
}
