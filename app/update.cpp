#include "app/update.h"

#include <iostream>

#include "app/controls.h"
#include "game/flight.h"
#include "game/guided_views.h"
#include "game/input.h"
#include "game/pursuit.h"
#include "game/world.h"
#include "render/lighting.h"
#include "view/camera.h"

namespace {
constexpr float pausedStep = 1.0f / 60.0f;  // seconds the period key moves a paused world

// The world's time this frame: dt while running; paused, one step when the period key asked for it.
bool worldMoves(float dt, float& worldDt) {
    RenderSettings& settings = world.settings;
    const bool step = settings.paused && settings.stepOnce;
    settings.stepOnce = false;
    worldDt = step ? pausedStep : dt;
    return !settings.paused || step;
}
}  // namespace

void updateWorld(GLFWwindow* window, float dt) {
    Camera& camera = *world.camera;
    float worldDt = dt;
    const bool moves = worldMoves(dt, worldDt);
    handleViewKeys(window);
    const bool steering = !world.settings.settingsPanel;
    if (camera.mode == CameraMode::Chase) {
        if (moves) {
            flyPlayer(window, worldDt, steering);
        } else if (steering) {
            // The cursor stays centred, so steering resumes without a jump.
            centreCursor(window);
        }
    }
    handleSwitchKeys(window, std::cout);
    if (moves) {
        if (world.settings.enemiesFollow) pursuePlayer(worldDt);
        updateOrbitSphere(worldDt);
    }
    updateView(window, dt);
}

void updateView(GLFWwindow* window, float dt) {
    Camera& camera = *world.camera;
    camera.updateCamera(window, dt);
    // After the camera moved: highlights follow the eye in the same frame (a guided view's own
    // camera, where it has one).
    updateViewPositions(world.litPrograms, guided.outside ? guided.outside->position : camera.position);
}
