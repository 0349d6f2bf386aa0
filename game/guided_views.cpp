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
glm::vec3 thePostBase() { return world.postBase; }
// Between the craft and the first planet, which its camera does not see at the start.
glm::vec3 theCraftAndAPlanet() {
    return glm::mix(worldCenter(*world.allObjects[0]), worldCenter(*world.shadowCasters[1]), 0.4f);
}
glm::vec3 thePlane() { return worldCenter(*world.arranged[static_cast<int>(Arrangement::CheckerPlane)][0]); }
}  // namespace

const std::vector<GuidedView> guidedViews = {
    {"tone_map", "tone map", theLight, {0.0f, 0.0f, 60.0f},
     {"The light's sphere and the stars, far brighter in the scene than a screen can show.",
      "Try: exposure. Low darkens everything; high turns the bright parts white sooner.",
      "Tone curve: shown = 1 - exp(-colour * exposure), then gamma 1/2.2."}},
    {"bloom", "bloom", theLight, {0.0f, 0.0f, 40.0f},
     {"The light's halo: its glow blurred by passes (bloom_method 0) or by a chain of halvings (1).",
      "Try: bloom, light_emission, bloom_method; with 0: blur_passes, blur_spread.",
      "With 1: bloom_levels, bloom_radius, bloom_strength. Halo = strength * sum of the halved levels.",
      "With 0: halo = blur(glow), blur_passes passes of 9 taps, blur_spread texels apart."}},
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
    {"shadows", "shadows", thePostBase, {-3.0f, 7.0f, 12.0f},
     {"A slab under the light, a post standing on it and a rock above: their shadows fall across it.",
      "Try: shadows, shadow_softness, shadow_bias (0: acne; high: the shadow leaves the post), shadow_map_sky.",
      "Lit where distance to light - bias * texel <= depth map; softness spreads the lookups (penumbra)."},
     false, Arrangement::ShadowSlab},
    {"culling", "culling", theCraftAndAPlanet, {-90.0f, 120.0f, 190.0f},
     {"Your craft's camera from outside: its view as yellow lines, what it culls marked in magenta.",
      "Try: frustum_culling, field_of_view (the yellow view widens or narrows; this camera stays).",
      "Drawn only if inside all six planes: dot(plane.normal, centre) + plane.d >= -radius."},
     false, Arrangement::None, true},
    {"texture_filtering", "texture filtering", thePlane, {0.0f, 4.0f, 30.0f},
     {"A checkered plane far below the field, receding to the horizon.",
      "Try: texture_linear (near squares' edges), mipmaps (far squares: shimmer or grey).",
      "Texel: nearest or a linear blend of 4; mip level = log2(texels per pixel)."},
     false, Arrangement::CheckerPlane},
    {"anti_aliasing", "anti-aliasing", thePlane, {-8.0f, 14.0f, 10.0f},
     {"A test card: rows of squares, each row of lower contrast, their edges in stair steps.",
      "Try: fxaa, then with it on fxaa_edge_threshold (which rows) and fxaa_subpixel (how much).",
      "Blend where luma range > edge threshold * brightest luma; blend = subpixel * contrast."},
     false, Arrangement::TestCard},
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
    guided.outside.reset();
    if (view.fromOutside) {
        // The player's camera stays where the game starts; a copy of it looks on from outside.
        Camera& outside = guided.outside.emplace(*world.camera);
        outside.fieldOfView = outsideFieldOfView;
        lookAtPoint(outside, target + view.eyeOffset, target);
    } else {
        Camera& camera = *world.camera;
        camera.switchToFree(target + view.eyeOffset, 0.0f, 0.0f);
        aimAlong(camera, -view.eyeOffset);
    }
    out << "Showing technique: " << view.name << std::endl;
}

void leaveGuidedView() {
    if (!guided.shown) return;
    restoreSnapshot(guided.game);
    guided.shown = nullptr;
    guided.outside.reset();
}
