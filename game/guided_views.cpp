#include "game/guided_views.h"

#include <cmath>
#include <ostream>

#include "view/bounds.h"

namespace {
glm::vec3 theLight() { return world.light.position; }
glm::vec3 theOrbitSphere() { return worldCenter(*world.orbitSphere); }
glm::vec3 theLeadEnemy() { return worldCenter(*world.leadEnemy); }
// The rock nearest the craft's start: close up, with the field behind it.
glm::vec3 theNearestRock() {
    const glm::vec3 craft = worldCenter(*world.allObjects[0]);
    glm::vec3 nearest(0.0f);
    float best = INFINITY;
    for (const SceneObject* rock : world.asteroids) {
        const float distance = glm::length(worldCenter(*rock) - craft);
        if (distance < best) {
            best = distance;
            nearest = worldCenter(*rock);
        }
    }
    return nearest;
}
}  // namespace

const std::vector<GuidedView> guidedViews = {
    {"tone_map", "tone map", theLight, {0.0f, 0.0f, 60.0f},
     {"The light's sphere and the stars, far brighter in the scene than a screen can show.",
      "Try: exposure. Low darkens everything; high turns the bright parts white sooner.",
      "Tone curve: shown = 1 - exp(-colour * exposure), then gamma 1/2.2."}},
    {"bloom", "bloom", theLight, {0.0f, 0.0f, 40.0f},
     {"The light's glow, blurred and added back around its sphere as a halo.",
      "Try: bloom, blur_passes, blur_spread (the halo's reach), light_emission (its strength).",
      "Halo = blur(glow) with blur_passes passes of 9 taps, blur_spread texels apart."}},
    {"translucency", "translucency", theOrbitSphere, {0.0f, 2.0f, 7.0f},
     {"The translucent sphere circling the lead enemy, and what lies behind it.",
      "Try: transparency, orbit_opacity.",
      "Blend: shown = alpha * sphere + (1 - alpha) * behind, alpha = orbit_opacity."}},
    {"wireframe", "wireframe", theLeadEnemy, {2.0f, 2.0f, 6.0f},
     {"An enemy ship: every triangle of its model.", "Try: wireframe.",
      "Polygon mode: lines along each triangle's edges instead of filled faces."}},
    {"level_of_detail", "level of detail", theNearestRock, {0.0f, 6.0f, 25.0f},
     {"A rock 26 units away, the asteroid field behind it.",
      "Try: lod_always_lowest, lod_distance (below 26 the near rock turns into its sphere).",
      "Model = detailed while the distance to the eye < lod_distance, else the low-detail sphere (magenta)."},
     true},
};

const GuidedView* findGuidedView(const std::string& name) {
    for (const GuidedView& view : guidedViews) {
        if (name == view.name) return &view;
    }
    return nullptr;
}

const GuidedView* guidedViewOf(const char* technique) {
    for (const GuidedView& view : guidedViews) {
        if (std::string(technique) == view.technique) return &view;
    }
    return nullptr;
}

WorldSnapshot takeSnapshot() {
    WorldSnapshot snapshot;
    for (const SceneObject* object : world.allObjects) snapshot.objects.push_back(*object);
    if (world.camera) snapshot.camera.emplace(*world.camera);
    snapshot.orbitAngle = world.orbitAngle;
    snapshot.paused = world.settings.paused;
    return snapshot;
}

void restoreSnapshot(const WorldSnapshot& snapshot) {
    for (size_t i = 0; i < snapshot.objects.size() && i < world.allObjects.size(); ++i) {
        *world.allObjects[i] = snapshot.objects[i];
    }
    if (snapshot.camera && world.camera) *world.camera = *snapshot.camera;
    world.orbitAngle = snapshot.orbitAngle;
    world.settings.paused = snapshot.paused;
}

GuidedState guided;

void rememberWorldStart() {
    guided = GuidedState{};
    guided.start = takeSnapshot();
}

void showGuidedView(const GuidedView& view, std::ostream& out) {
    if (!guided.shown) guided.game = takeSnapshot();
    restoreSnapshot(guided.start);
    world.settings.paused = true;
    guided.shown = &view;
    guided.textShown = true;
    const glm::vec3 target = view.target();
    Camera& camera = *world.camera;
    camera.switchToFree(target + view.eyeOffset, 0.0f, 0.0f);
    aimAlong(camera, -view.eyeOffset);
    out << "Showing technique: " << view.name << std::endl;
}

void leaveGuidedView() {
    if (!guided.shown) return;
    restoreSnapshot(guided.game);
    guided.shown = nullptr;
}
