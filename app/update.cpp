#include "app/update.h"

#include <iostream>

#include "app/controls.h"
#include "game/flight.h"
#include "game/pursuit.h"
#include "game/world.h"
#include "render/lighting.h"
#include "view/camera.h"

void updateWorld(GLFWwindow* window, float dt) {
    Camera& camera = *world.camera;
    handleViewKeys(window);
    if (camera.mode == CameraMode::Chase) flyPlayer(window, dt);
    handleSwitchKeys(window, std::cout);
    if (world.settings.enemiesFollow) pursuePlayer(dt);
    updateOrbitSphere(dt);
    updateView(window, dt);
}

void updateView(GLFWwindow* window, float dt) {
    Camera& camera = *world.camera;
    camera.updateCamera(window, dt);
    // After the camera moved: highlights follow the eye in the same frame.
    updateViewPositions(camera.position);
}
