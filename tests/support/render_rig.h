#pragma once
// A small scene built from the generated art, for tests of the render passes.
// Everything it allocates stays owned here, so leak detection sees no loss.

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <vector>

#include "assets/model.h"
#include "assets/shader_program.h"
#include "game/world.h"
#include "render/bloom.h"
#include "render/lighting.h"
#include "render/scene.h"
#include "render/shadow_map.h"
#include "tests/support/gl_context.h"
#include "view/bounds.h"
#include "view/camera.h"

// Points the camera from eye at target, with view, projection and frustum as a frame leaves them.
inline void aimCamera(Camera& camera, glm::vec3 eye, glm::vec3 target, glm::vec3 up = glm::vec3(0.0f, 1.0f, 0.0f)) {
    camera.mode = CameraMode::Free;
    camera.position = eye;
    camera.view = glm::lookAt(eye, target, up);
    camera.projection = cameraProjection();
    camera.viewProjection = camera.projection * camera.view;
    camera.frustum.updateFrustum(eye, target, up);
    updateViewPositions(eye);
}

// The shadow pass, then the scene into the HDR target (or the window while wireframe is set).
inline void drawScene(unsigned shadowFramebuffer, unsigned hdrFramebuffer) {
    renderShadowPass(shadowFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, world.settings.wireframe ? 0 : hdrFramebuffer);
    glViewport(0, 0, 800, 600);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderScene();
}

// One frame as the game loop renders it; the window holds the result.
inline void renderFrame(unsigned shadowFramebuffer, unsigned hdrFramebuffer) {
    drawScene(shadowFramebuffer, hdrFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (!world.settings.wireframe) {
        blurBrightParts();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        compositeBloom();
    }
    glFinish();
}

struct RenderRig {
    std::vector<std::unique_ptr<Model>> models;
    std::vector<std::unique_ptr<SceneObject>> objects;
    std::vector<std::unique_ptr<ShaderProgram>> programs;
    std::unique_ptr<Camera> camera;
    ShadowMap shadowMap;
    unsigned hdrFramebuffer = 0;
    Model* sphere = nullptr;    // radius 1 about the origin
    std::vector<Model*> extra;  // the extra models asked for, unscaled and without a program
    ShaderProgram* lit = nullptr;    // world light, asteroid material
    ShaderProgram* glow = nullptr;   // self-lit, opaque
    ShaderProgram* glass = nullptr;  // self-lit, opacity 0.3

    // Resets the world and builds the sphere (and the extra models, in order: see extra),
    // the programs, the shadow map and the bloom targets.
    explicit RenderRig(std::vector<const char*> extraModels = {}) {
        GLFWwindow* window = sharedGlContext();
        world = World{};
        world.windowWidth = 800;
        world.windowHeight = 600;
        camera = std::make_unique<Camera>(window);
        world.camera = camera.get();
        glEnable(GL_CULL_FACE);
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
        createShadowMap(shadowMap);
        sphere = loadModel("Models/sphere.dae");
        for (const char* path : extraModels) extra.push_back(loadModel(path));
        uploadSharedVertices();
        world.depthProgram = own(createDepthProgram());
        lit = own(createSpecularProgram(world.light, world.asteroidMaterial, 1.0f));
        glow = own(createSpecularProgram(world.glowLight, world.glowMaterial, 1.0f));
        glass = own(createSpecularProgram(world.glowLight, world.glowMaterial, 0.3f));
        world.specularPrograms[0] = lit;
        world.specularPrograms[1] = glow;
        world.specularPrograms[2] = glass;
        createBloomProgram();
        own(world.bloomPass.bloomProgram);
        hdrFramebuffer = createHdrFramebuffer();
        createBlurTargets();
        own(world.bloomPass.blurProgram);
        lookAt(glm::vec3(0.0f), glm::vec3(1.0f, 0.0f, 0.0f));
    }

    ShaderProgram* own(ShaderProgram* program) {
        programs.emplace_back(program);
        return program;
    }

    Model* loadModel(const char* path) {
        models.push_back(std::make_unique<Model>(glm::mat4(1.0f)));
        models.back()->load(path);
        return models.back().get();
    }

    // A model with the sphere's geometry scaled by radius, drawn with the given program.
    Model* sphereModel(float radius, ShaderProgram* program) {
        models.push_back(std::make_unique<Model>(glm::scale(glm::mat4(1.0f), glm::vec3(radius))));
        models.back()->shareGeometry(*sphere);
        attachProgram(*models.back(), program);
        return models.back().get();
    }

    // Places an object and appends it to the draw list and, if it casts, to the shadow casters.
    SceneObject* add(Model* model, glm::vec3 position, bool casts) {
        objects.push_back(std::make_unique<SceneObject>(model, true));
        SceneObject* object = objects.back().get();
        place(*object, position, 0.0f, 0.0f);
        world.allObjects.push_back(object);
        if (casts) world.shadowCasters.push_back(object);
        return object;
    }

    void lookAt(glm::vec3 eye, glm::vec3 target, glm::vec3 up = glm::vec3(0.0f, 1.0f, 0.0f)) {
        aimCamera(*camera, eye, target, up);
    }
    void drawScene() { ::drawScene(shadowMap.framebuffer, hdrFramebuffer); }
    void renderFrame() { ::renderFrame(shadowMap.framebuffer, hdrFramebuffer); }

    // Window pixel of a world point under the current camera.
    glm::ivec2 pixelOf(glm::vec3 point) const {
        const glm::vec4 clip = camera->viewProjection * glm::vec4(point, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        return glm::ivec2((ndc * 0.5f + 0.5f) * glm::vec2(800.0f, 600.0f));
    }
};

// RGB floats of one texel of a 2D texture of the window's size (bottom row first).
inline std::vector<float> textureTexels(unsigned texture) {
    std::vector<float> texels(800 * 600 * 3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, texels.data());
    return texels;
}

inline glm::vec3 texelAt(const std::vector<float>& texels, glm::ivec2 pixel) {
    const size_t i = (static_cast<size_t>(pixel.y) * 800 + pixel.x) * 3;
    return glm::vec3(texels[i], texels[i + 1], texels[i + 2]);
}

// RGB bytes of one window pixel.
inline glm::ivec3 windowPixel(glm::ivec2 pixel) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    const std::vector<unsigned char> rgba = readPixels(pixel.x, pixel.y, 1, 1);
    return glm::ivec3(rgba[0], rgba[1], rgba[2]);
}
