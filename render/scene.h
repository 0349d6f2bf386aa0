#pragma once
// The scene pass: sky box, then every object, culled, with level of detail.

#include <cstddef>
#include <vector>

#include <glm/glm.hpp>

#include "game/records.h"
#include "view/camera.h"

struct Model;
struct SceneObject;

// What the passes draw, as the game holds it; drawing changes none of it.
struct Scene {
    const std::vector<SceneObject*>* objects = nullptr;        // the draw list
    const std::vector<SceneObject*>* shadowCasters = nullptr;  // what the shadow cube holds
    const SceneObject* lightSphere = nullptr;  // its program's emission follows light_emission
    const SceneObject* orbitSphere = nullptr;  // its program's opacity follows orbit_opacity
    glm::vec3 lightPosition{0.0f};             // where the light stands
    const Camera* camera = nullptr;            // the eye; a picture with another field of view re-projects a copy
    unsigned vertexArray = 0;                  // every model's vertices
    const std::vector<glm::vec3>* vertexPositions = nullptr;  // the same on the CPU, for the glow's area
    const std::vector<Texture>* textures = nullptr;           // the models' textures
    unsigned untexturedTexture = 0;            // 1 x 1 white, for meshes without one
    const Sky* sky = nullptr;
    const LitPrograms* litPrograms = nullptr;  // they hold the shadow filter's parameters
    int width = 0;                             // the window's framebuffer, pixels
    int height = 0;
    bool tintLowDetail = false;                // the level of detail's guided view: rocks drawn low are marked
    const std::vector<SceneObject*>* arrangement = nullptr;  // a guided view's own objects: never culled or counted
    const Camera* outsideCamera = nullptr;     // drawn from here instead: camera only culls, and what it culls
                                               // is drawn marked
};

// What a scene pass counted.
struct SceneCounts {
    int culled = 0;     // objects outside the view, skipped
    int lowDetail = 0;  // objects drawn with their low-detail model
};

// One object as a scene pass draws it.
struct SceneDraw {
    const SceneObject* object;
    const Model* model;    // the level of detail chosen
    glm::mat4 transform;
    bool translucent;      // blended over the rest, without depth writes
    bool marked;           // a guided view's mark: drawn low, or culled and shown from outside
    bool operator==(const SceneDraw& other) const {
        return object == other.object && model == other.model && transform == other.transform &&
               translucent == other.translucent && marked == other.marked;
    }
};

// What a scene pass drew into its target: a pass that would draw the same can leave the target as
// it is. The renderer keeps one.
struct SceneRecord {
    bool valid = false;              // the target holds what the record describes
    std::vector<SceneDraw> draws;    // in draw order
    std::vector<SceneDraw> planned;  // this frame's, before the comparison (kept for its capacity)
    std::vector<SceneDraw> translucent;  // this frame's translucent ones while they are sorted
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
    glm::mat4 culling{1.0f};         // the culling camera's viewProjection (its lines from outside)
    glm::vec3 eye{0.0f};             // the lit shaders' view position
    unsigned skyTexture = 0;
    bool filtersChosen = false;      // the textures' filters (F4, F5)
    bool textureLinear = false;
    int mipmapMode = 0;
    unsigned cubeVersion = 0;        // the shadow cube it was lit with (Renderer::cubeVersion)
    bool shadows = true;             // and the lit programs' parameters
    TechniqueParameters parameters;
    bool tintLowDetail = false;      // and the marks of rocks drawn low
};

// Clears the bound framebuffer and draws the sky box and the draw list seen by eye, culled by
// culler (the eye, but in a view from outside) with level of detail from it, and counts both; then
// the scene's arrangement, if any. targetKept: the bound target keeps what this pass draws until
// the next one (the HDR target, unless reference frames reuse nothing). Then a pass that would draw
// exactly what the last one drew, with the same shadow cube (cubeVersion counts its changes) and
// parameters, draws nothing.
SceneCounts renderScene(SceneRecord& record, const Scene& scene, const Camera& eye, const Camera& culler,
                        const RenderSettings& settings, unsigned depthCubeMap, unsigned cubeVersion, bool targetKept);
// Binds mesh i's texture and sampler on unit 0; where the index names no texture, the 1 x 1 white
// texture with sampler 0, so that the mesh shows its lit material colours alone.
void bindMeshTexture(const Scene& scene, const Model& model, size_t mesh);
// Draws every mesh of the model with its program, textures and the shadow cube map.
void drawModel(const Scene& scene, const Model& model, unsigned depthCubeMap, glm::mat4 viewProjection,
               glm::mat4 transform);
