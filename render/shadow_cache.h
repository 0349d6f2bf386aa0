#pragma once
// Reuse of the shadow cube between frames. A second cube keeps the depths of the casters that
// stand still; a frame restores it and draws only the casters that move, and when nothing
// moved the cube from the last frame is still right and the pass is skipped.

#include <vector>

#include <glm/glm.hpp>

struct Model;
struct SceneObject;

// The kept cube and what the last shadow pass drew; the shadow map holds the one the game uses.
struct ShadowCache {
    unsigned stillCube = 0;
    unsigned stillFaces[6] = {};  // framebuffers with one face of the still cube as depth
    unsigned liveFaces[6] = {};   // the same for the live cube
    int size = 0;
    bool valid = false;  // the live cube holds the depths of the recorded state
    bool wireframe = false;
    glm::vec3 lightPosition{0.0f};
    std::vector<const SceneObject*> casters;
    std::vector<const Model*> models;
    std::vector<glm::mat4> transforms;
    std::vector<char> moving;  // drawn every frame, not part of the still cube
    std::vector<char> moved;   // moved since the last pass
};

// What the coming shadow pass has to do.
enum class ShadowWork {
    None,         // the cube already holds this frame's depths
    DrawMoving,   // restore the still casters' cube, then draw the moving casters
    Rebuild,      // clear, draw the still casters, keep them as the still cube, draw the moving casters
    DrawAll,      // clear and draw every caster, keeping nothing (reference frames)
};

// Creates the still casters' cube (same size and format as the live one) and the per-face
// framebuffers that copy between the two; forgets everything cached before.
void createShadowCache(ShadowCache& cache, unsigned liveCube, int size);
// Compares the casters, their models and transforms, the light and the wireframe switch with
// the last pass and decides the work; records the state the pass will leave.
ShadowWork planShadowWork(ShadowCache& cache, const std::vector<SceneObject*>& casters, glm::vec3 lightPosition,
                          bool wireframe, bool reference);
// True for the caster at this index of the list: the pass draws it every frame rather than keeping
// it in the still cube.
bool castsMoving(const ShadowCache& cache, size_t caster);
// Copies the still cube into the live one, or (storeStill) the live one into the still cube.
void copyShadowCube(const ShadowCache& cache, bool storeStill);
