#pragma once
// The one global game state: settings, lights, materials, objects, the models with their programs
// and textures, and the state of play. Game rules read and write it without making GL calls; the
// GL names are plain integers here. What the passes draw with belongs to the renderer.

#include <vector>

#include "game/records.h"

struct Camera;

// The small arrangements some guided views add to the world, each present only while its view is
// shown: play, collisions and the culling counts never see them.
enum class Arrangement {
    None,
    ShadowSlab,    // a slab under the light, a post standing on it and a rock above it
    CheckerPlane,  // a checkered plane far below the field, receding to the horizon
    TestCard,      // the same plane with bands of falling contrast, sampled with the nearest texel
    Count
};
constexpr int arrangementCount = static_cast<int>(Arrangement::Count);

struct World {
    RenderSettings settings;

    Light light{{-10.0f, 5.0f, 3.0f}, {0.1f, 0.1f, 0.1f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    Light glowLight{{-10.0f, 5.0f, 3.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}};
    Material playerMaterial{{0.1f, 0.1f, 0.1f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, 64.0f};
    Material shipMaterial{{0.1f, 0.1f, 0.1f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 1.0f}, 64.0f};
    Material asteroidMaterial{{0.1f, 0.1f, 0.1f}, {0.7f, 0.7f, 0.7f}, {0.0f, 0.0f, 0.0f}, 2.0f};
    Material glowMaterial{{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, 1.0f};
    // The light's own sphere: the glow material, bright enough to read as a light without bloom.
    Material lightMaterial{{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f}, 1.0f, {2.0f, 2.0f, 2.0f}};

    std::vector<SceneObject*> allObjects;     // draw list; entry 0 is the player's craft
    std::vector<SceneObject*> enemies;        // entry 0 is the fixed first enemy
    std::vector<SceneObject*> asteroids;
    std::vector<SceneObject*> shadowCasters;  // everything but the two spheres
    SceneObject* leadEnemy = nullptr;         // centre of the orbit sphere's circle
    // Translucent sphere circling leadEnemy: updateOrbitSphere sets its transform directly, so its
    // position and angles stay as constructed.
    SceneObject* orbitSphere = nullptr;
    SceneObject* lightSphere = nullptr;       // the self-lit sphere around the light
    float orbitAngle = 0.0f;                  // radians, never wrapped
    std::vector<SceneObject*> arranged[arrangementCount];  // each arrangement's objects, by Arrangement
    std::vector<SceneObject*> castersWithSlab;  // shadowCasters and the slab's: the shadows view's casters
    glm::vec3 postBase{0.0f};                 // where the slab's post stands, on the slab's top

    Camera* camera = nullptr;
    bool recenterCursor = false;     // next Free update first centres the cursor

    LitPrograms litPrograms;

    SharedVertexBuffer sharedVertices;   // every model's vertices
    unsigned sharedVertexArray = 0;
    std::vector<Texture> textureList;    // shared by all models, only ever appended
    unsigned untexturedTexture = 0;      // 1 x 1 white, not in textureList: meshes without a texture

    Sky sky;

    int culledCount = 0;       // objects skipped by culling in the last frame's scene pass (the renderer counts)
    int lowDetailCount = 0;    // objects it drew with their low-detail model
    int windowWidth = 0;       // the window in screen coordinates; mouse look keeps the cursor at its centre
    int windowHeight = 0;
    int frameWidth = 0;        // pixels of the window's framebuffer: every pass and the view's aspect
    int frameHeight = 0;
};

extern World& world;

// Moves the translucent sphere one step along its circle around the lead enemy.
void updateOrbitSphere(float dt);
