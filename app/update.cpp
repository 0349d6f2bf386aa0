#include "app/update.h"

#include <iostream>

#include "app/keyboard.h"
#include "game/flight.h"
#include "game/pursuit.h"
#include "game/world.h"
#include "render/lighting.h"
#include "view/camera.h"

void updateWorld(GLFWwindow* window, float dt) {
    Camera& camera = *world.camera;
    handleCameraKeys(window);
    if (camera.mode == CameraMode::Chase) flyPlayer(window, dt);
    handleLightKey(window);
    handleToggleKeys(window, std::cout);
    if (world.settings.enemiesFollow) pursuePlayer(dt);
    updateOrbitSphere(dt);
    updateViewPositions(camera.position);
    camera.updateCamera(window, dt);
}
