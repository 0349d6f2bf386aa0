#include "app/keyboard.h"

#include <GL/glew.h>

#include <iterator>
#include <ostream>

#include "app/fullscreen.h"
#include "game/game_over.h"
#include "game/input.h"
#include "game/world.h"
#include "render/scene.h"
#include "view/camera.h"

namespace {
constexpr float toggleCooldown = 0.2f;

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

void printFilterState(std::ostream& out) {
    out << "Texture Sampling " << (world.settings.textureLinear ? "linear" : "Nearest Neighbor") << std::endl;
    out << "Mip Map Sampeling " << mipmapWord(world.settings.mipmapMode) << std::endl;
}

// Flips the setting of F key number (1..9) and reports it.
void toggle(int fKey, std::ostream& out) {
    RenderSettings& settings = world.settings;
    switch (fKey) {
        case 1:
            settings.enemiesFollow = !settings.enemiesFollow;
            out << "Enemies " << (settings.enemiesFollow ? "are following you!" : "are taking a break!") << std::endl;
            break;
        case 2: settings.printFrameStats = !settings.printFrameStats; break;
        case 3:
            settings.wireframe = !settings.wireframe;
            setWireframe(settings.wireframe);
            out << "Wireframe " << enabledWord(settings.wireframe) << std::endl;
            break;
        case 4:
            settings.textureLinear = !settings.textureLinear;
            refilterTextures();
            printFilterState(out);
            break;
        case 5:
            settings.mipmapMode = (settings.mipmapMode + 1) % 3;
            refilterTextures();
            printFilterState(out);
            break;
        case 6:
            settings.lodAlwaysLowest = !settings.lodAlwaysLowest;
            out << "LOD " << (settings.lodAlwaysLowest ? "always lowest" : "distance based") << std::endl;
            break;
        case 7:
            settings.bloom = !settings.bloom;
            out << "Bloom " << enabledWord(settings.bloom) << std::endl;
            break;
        case 8:
            settings.frustumCulling = !settings.frustumCulling;
            out << "View Frustum Culling " << enabledWord(settings.frustumCulling) << std::endl;
            break;
        case 9:
            settings.transparency = !settings.transparency;
            if (settings.transparency) {
                glEnable(GL_BLEND);
                glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            } else {
                glDisable(GL_BLEND);
            }
            out << "Transparency " << enabledWord(settings.transparency) << std::endl;
            break;
    }
}
}  // namespace

const char* enabledWord(bool on) { return on ? "enabled" : "disabled"; }

const char* mipmapWord(int mode) {
    static const char* const words[3] = {"off", "nearest", "linear"};
    return words[((mode % 3) + 3) % 3];
}

void handleCameraKeys(GLFWwindow* window) {
    Camera& camera = *world.camera;
    if (keyHeld(window, GLFW_KEY_1)) camera.switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
    if (keyHeld(window, GLFW_KEY_2) && !world.allObjects.empty()) {
        camera.target = world.allObjects[0];
        camera.chaseEye = glm::vec3(-0.44f, 0.0f, 0.5f);
        camera.chaseLook = glm::vec3(1.0f, 0.0f, 0.0f);
        camera.chaseUp = glm::vec3(0.0f, 0.0f, 1.0f);
        camera.mode = CameraMode::Chase;
        input.setCursorPos(window, world.windowWidth / 2, world.windowHeight / 2);
    }
    for (const OrbitView& view : orbitViews) {
        if (keyHeld(window, view.key)) orbit(enemy(view.enemy), view.eyeOffset);
    }
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
    if (camera.mode == CameraMode::Free && keyHeld(window, GLFW_KEY_8)) {
        camera.switchToFree(world.light.position, 3.14f, 0.0f);
        putEyeInside(world.lightSphere);
    }
}

void handleToggleKeys(GLFWwindow* window, float dt, std::ostream& out) {
    world.keyCooldown -= dt;
    if (world.keyCooldown > 0.0f) return;
    for (int fKey = 1; fKey <= 9; ++fKey) {
        if (keyHeld(window, GLFW_KEY_F1 + fKey - 1)) {
            toggle(fKey, out);
            world.keyCooldown = toggleCooldown;
            break;
        }
    }
    if (keyHeld(window, GLFW_KEY_M)) {
        world.settings.showShadowCubeMap = !world.settings.showShadowCubeMap;
        world.keyCooldown = toggleCooldown;
    }
    if (keyHeld(window, GLFW_KEY_H)) {
        world.settings.overlay = !world.settings.overlay;
        out << "Overlay " << enabledWord(world.settings.overlay) << std::endl;
        world.keyCooldown = toggleCooldown;
    }
    if (keyHeld(window, GLFW_KEY_F11)) {
        toggleFullscreen(window, &out);
        world.keyCooldown = toggleCooldown;
    }
    if (keyHeld(window, GLFW_KEY_F12)) {
        world.screenshotRequested = true;
        world.keyCooldown = toggleCooldown;
    }
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
