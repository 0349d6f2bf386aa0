#pragma once
// The game's plain records: lights, materials, the settings and the techniques' parameters, placed
// objects and the lit programs. The renderer draws with them; only game/world.h holds the global
// state made of them.

#include <glm/glm.hpp>
#include <vector>

#include "assets/model.h"
#include "assets/texture.h"

struct ShaderProgram;

// A point light; each field feeds the uniform "light.<field>".
struct Light {
    glm::vec3 position;  // world space
    glm::vec3 ambient;   // RGB
    glm::vec3 diffuse;   // RGB
    glm::vec3 specular;  // RGB
};

// Surface colours; each field feeds the uniform "material.<field>".
struct Material {
    glm::vec3 ambient;
    glm::vec3 diffuse;
    glm::vec3 specular;
    float shininess = 0.0f;
    glm::vec3 emission{0.0f};  // light the surface gives off by itself, RGB, before tone mapping
};

// What each technique is drawn with; every default is the picture the game was tuned for.
struct TechniqueParameters {
    float exposure = 1.0f;         // tone map: the HDR colour is scaled by this before the curve
    int blurPasses = 12;           // bloom: one-dimensional blur passes, even, alternating axes
    float blurSpread = 4.5f;       // bloom: texels from a blur's centre tap to its side taps
    float lightEmission = 2.0f;    // bloom: what the light's own sphere gives off, each of R, G, B
    int bloomMethod = 0;           // bloom: 0 the classic blur passes, 1 the downsampled chain
    int bloomLevels = 3;           // bloom chain: halvings of the glow, the last the smallest level
    float bloomRadius = 1.5f;      // bloom chain: the adding-up tent's reach, in texels of the smaller level
    float bloomStrength = 0.8f;    // bloom chain: the summed levels' share added to the scene
    float shadowSoftness = 1.0f;   // shadows: spacing of the four filter lookups, in cube texels
    float shadowBias = 0.5f;       // shadows: depth a lookup's distance is shortened by, in cube texels
    float lodDistance = 75.0f;     // level of detail: distance from the eye where rocks draw low, units
    float orbitOpacity = 0.3f;     // translucency: the orbit sphere's alpha
    float fieldOfView = 60.0f;     // the view's vertical angle, degrees
    float fxaaEdgeThreshold = 0.166f;  // anti-aliasing: local contrast, of the brightest luma, below which nothing changes
    float fxaaSubpixel = 0.75f;    // anti-aliasing: how much of a lone pixel's contrast is blended away
};

// What the pipeline views show instead of the final picture (V).
enum class PipelineView {
    Final,
    SceneBeforeToneMap,
    Glow,
    BlurredGlow,
    BloomLevels,
    AntiAliasingEdges,
    ShadowCube,
    Count
};

// The switches the player flips with the keys or the settings panel, and the techniques' parameters.
struct RenderSettings {
    bool transparency = true;        // blending on
    bool bloom = true;               // composite adds the blurred glow
    bool shadows = true;             // lit surfaces look up the shadow cube; off: all unshadowed
    bool printFrameStats = true;     // "fps: ~" lines once a second
    bool frustumCulling = true;      // skip objects outside the view; also the "Culled" line
    bool mouseXTurns = false;        // mouse x yaws the craft about its up axis instead of rolling it
    bool lodAlwaysLowest = false;    // always draw the low-detail model
    bool wireframe = false;          // polygons as lines, bypasses the HDR target and bloom
    bool fxaa = false;               // the final picture smoothed along its edges
    bool enemiesFollow = false;      // enemies pursue the player
    bool textureLinear = false;      // linear instead of nearest filtering
    int mipmapMode = 0;              // 0 off, 1 nearest, 2 linear mip-map selection
    bool filtersChosen = false;      // F4 or F5 pressed: textures follow the two above (else as loaded)
    bool showShadowCubeMap = false;  // the sky box shows the shadow depth cube map
    bool overlay = false;            // the on-screen panel of keys, states and costs (H)
    bool settingsPanel = false;      // the overlay takes the mouse: checkboxes and sliders (Tab)
    bool paused = false;             // the world's time stands still (P)
    bool stepOnce = false;           // paused: the next update moves the world one 1/60 s step
    bool compare = false;            // left of compareSplit the defaults, right of it these settings (C)
    float compareSplit = 0.5f;       // the compare line, a fraction of the window's width from the left
    PipelineView pipelineView = PipelineView::Final;  // what the window shows (V)
    TechniqueParameters parameters;
};

// The filters the textures use now: as they were loaded (linear, no mip-maps) until F4 or F5 is
// first pressed, then the settings' own.
struct TextureFilters {
    bool linear = true;
    int mipmapMode = 0;  // 0 off, 1 nearest, 2 linear
};
TextureFilters textureFilters(const RenderSettings& settings);

// The settings the compare view draws its left half with: every switch and parameter at its
// default, and what is not part of the picture (statistics, enemies, overlay, pause, the views) as now.
RenderSettings defaultPicture(const RenderSettings& now);

// Half-open pixel rectangle [x0, x1) x [y0, y1), bottom row 0.
struct PixelRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

// One placed object. Pointers own nothing.
struct SceneObject {
    Model* model = nullptr;     // geometry, program and bounds
    Model* lodModel = nullptr;  // low-detail geometry, asteroids only
    glm::mat3 orientation{1.0f};  // rotation of the object's axes into the world's
    glm::vec3 position{0.0f};     // placement position
    glm::mat4 transform{1.0f};    // translate(position) * orientation
    float speed = 0.0f;         // forward speed, player's craft only
    glm::vec3 worldPosition{0.0f};  // translation of transform * model->modelMatrix
    bool collidable = false;    // false: every sphere test against it fails

    SceneObject(Model* model, bool collidable);
};

constexpr int maxSpecularPrograms = 8;

// The lit programs, and where each takes the eye position: every frame writes it.
struct LitPrograms {
    ShaderProgram* specular[maxSpecularPrograms] = {};
    int specularViewPositionLocations[maxSpecularPrograms] = {};
    int specularCount = 0;
    std::vector<ShaderProgram*> flat;
    std::vector<int> flatViewPositionLocations;
};
