#include "game/setup.h"

#include <cstdlib>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <vector>

#include "assets/model_import_process.h"
#include "assets/outline.h"
#include "assets/shader_program.h"
#include "game/arrangements.h"
#include "game/input.h"
#include "game/world.h"
#include "render/lighting.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
constexpr int randomEnemyCount = 13;
constexpr int asteroidCount = 60;
constexpr float enemyMargin = 3.0f;
constexpr float asteroidMargin = 5.0f;
constexpr float craftClearance = 50.0f;
constexpr float shipScale = 1.5f;
constexpr float lightSphereScale = 5.0f;  // the largest of the sphere model's scales
constexpr float planetScale = 60.0f;
constexpr float asteroidScale = 3.0f;     // also the low-detail sphere's

// Constructs a collidable or not object, places it and appends it to the draw list.
SceneObject* addObject(Model* model, bool collidable, glm::vec3 position,
                       const glm::mat3& orientation = glm::mat3(1.0f)) {
    auto* object = new SceneObject(model, collidable);
    place(*object, position, orientation);
    world.allObjects.push_back(object);
    return object;
}

float randomCoordinate() { return static_cast<float>(std::rand() % 400 - 200); }
}  // namespace

glm::vec3 randomPlacement(float margin) {
    glm::vec3 point(0.0f);
    for (int attempt = 0; attempt < placementAttempts; ++attempt) {
        const float x = randomCoordinate();
        const float y = randomCoordinate();
        const float z = randomCoordinate();
        point = glm::vec3(x, y, z);
        bool touches = false;
        for (const SceneObject* object : world.allObjects) {
            if (touchesSphere(*object, margin, point)) {
                touches = true;
                break;
            }
        }
        if (!touches) return point;
    }
    return point;
}

glm::vec3 randomEnemyPlacement() {
    glm::vec3 point(0.0f);
    for (int attempt = 0; attempt < placementAttempts; ++attempt) {
        point = randomPlacement(enemyMargin);
        if (world.allObjects.empty() || !sphereOverlaps(*world.allObjects[0], craftClearance, point)) return point;
    }
    return point;
}

namespace {
const char* const craftFile = "Models/scythe2.dae";
const char* const sphereFile = "Models/sphere.dae";
const char* const shipFile = "Models/shipmesh.dae";
const char* const planetFile = "Models/planet.dae";
const char* const asteroidFile = "Models/asteroid.dae";
}  // namespace

void startReadingWorldModels() { startModelImports({craftFile, sphereFile, shipFile, planetFile, asteroidFile}); }

void setUpWorld(GLFWwindow* window) {
    world.camera = new Camera(window);
    world.untexturedTexture = createUntexturedTexture();

    const float halfPi = glm::half_pi<float>();
    const glm::mat4 identity(1.0f);
    const glm::mat4 craftMatrix = glm::rotate(identity, -halfPi, glm::vec3(1.0f, 0.0f, 0.0f));
    const glm::mat4 shipMatrix = glm::scale(glm::rotate(identity, -halfPi, glm::vec3(1.0f, 0.0f, 0.0f)), glm::vec3(shipScale));
    const glm::mat4 lightSphereMatrix = glm::scale(identity, glm::vec3(lightSphereScale));
    const glm::mat4 planetMatrix = glm::scale(identity, glm::vec3(planetScale));
    const glm::mat4 asteroidMatrix = glm::scale(identity, glm::vec3(asteroidScale));

    // A model whose radius at the largest scale it is placed at exceeds the world is damaged.
    auto* craftModel = new Model(craftMatrix);
    craftModel->load(craftFile, worldExtent);
    craftModel->recenter();
    auto* sphereModel = new Model(identity);
    sphereModel->load(sphereFile, worldExtent / lightSphereScale);
    auto* lightSphereModel = new Model(lightSphereMatrix);
    lightSphereModel->shareGeometry(*sphereModel);
    auto* shipModel = new Model(shipMatrix);
    shipModel->load(shipFile, worldExtent / shipScale);
    shipModel->recenter();
    auto* planetModel = new Model(planetMatrix);
    planetModel->load(planetFile, worldExtent / planetScale);
    auto* asteroidModel = new Model(asteroidMatrix);
    asteroidModel->load(asteroidFile, worldExtent / asteroidScale);

    Model* box = nullptr;
    Model* square = nullptr;
    stageArrangementShapes(box, square);

    world.camera->switchToFree(glm::vec3(0.0f), 3.14f, 0.0f);
    uploadSharedVertices();
    // The rock's low-detail stand-in: the sphere on the rock's centre, scaled to the rock's mean
    // outline (measured on the uploaded vertices), so that a rock crossing the distance neither grows
    // nor moves.
    const float sphereOutline = meanOutlineRadius(*sphereModel);
    const float rockOutline = meanOutlineRadius(*asteroidModel);
    const float standInScale = sphereOutline > 0.0f && rockOutline > 0.0f ? rockOutline / sphereOutline : 1.0f;
    const glm::mat4 onTheRock = glm::translate(asteroidMatrix, asteroidModel->center);
    auto* asteroidLowModel = new Model(glm::translate(glm::scale(onTheRock, glm::vec3(standInScale)), -sphereModel->center));
    asteroidLowModel->shareGeometry(*sphereModel);

    LitPrograms& programs = world.litPrograms;
    const glm::vec3 eye = world.camera->position;
    ShaderProgram* craftProgram = createSpecularProgram(programs, world.light, world.playerMaterial, 1.0f, eye);
    ShaderProgram* shipProgram = createSpecularProgram(programs, world.light, world.shipMaterial, 1.0f, eye);
    ShaderProgram* rockProgram = createSpecularProgram(programs, world.light, world.asteroidMaterial, 1.0f, eye);
    ShaderProgram* lightProgram = createSpecularProgram(programs, world.glowLight, world.lightMaterial, 1.0f, eye);
    ShaderProgram* orbitProgram = createSpecularProgram(programs, world.glowLight, world.glowMaterial, 0.3f, eye);
    ShaderProgram* planetProgram = createFlatProgram(programs, world.light);
    auto* skyboxProgram = new ShaderProgram("Shader/SkyboxShader.vert", "Shader/SkyboxShader.frag");

    attachProgram(*craftModel, craftProgram);
    attachProgram(*planetModel, planetProgram);
    attachProgram(*shipModel, shipProgram);
    attachProgram(*sphereModel, orbitProgram);
    attachProgram(*lightSphereModel, lightProgram);

    SceneObject* craft = addObject(craftModel, false, craftStartPosition);
    world.shadowCasters.push_back(craft);
    for (const glm::vec3& position : {glm::vec3(120, 50, 50), glm::vec3(-120, 50, -50), glm::vec3(300, 120, 0)}) {
        world.shadowCasters.push_back(addObject(planetModel, true, position));
    }
    world.lightSphere = addObject(lightSphereModel, true, world.light.position);
    world.leadEnemy = addObject(shipModel, true, {-15.0f, 50.0f, 26.5f});
    world.shadowCasters.push_back(world.leadEnemy);
    world.enemies.push_back(world.leadEnemy);
    world.orbitSphere = new SceneObject(sphereModel, true);
    world.allObjects.push_back(world.orbitSphere);

    for (int i = 0; i < randomEnemyCount; ++i) {
        SceneObject* enemy = addObject(shipModel, true, randomEnemyPlacement());
        world.shadowCasters.push_back(enemy);
        world.enemies.push_back(enemy);
    }

    attachProgram(*asteroidModel, rockProgram);
    attachProgram(*asteroidLowModel, rockProgram);
    for (int i = 0; i < asteroidCount; ++i) {
        const glm::vec3 position = randomPlacement(asteroidMargin);
        const float angleX = static_cast<float>((std::rand() % 314) / 100);
        const float angleZ = static_cast<float>((std::rand() % 314) / 100);
        SceneObject* asteroid = addObject(asteroidModel, true, position, orientationFromAngles(angleZ, angleX));
        world.shadowCasters.push_back(asteroid);
        world.asteroids.push_back(asteroid);
        asteroid->lodModel = asteroidLowModel;
    }
    placeArrangements(box, square, asteroidModel);

    setUpSkybox(world.sky, {"Models/Skybox_right.png", "Models/Skybox_left.png", "Models/Skybox_down.png",
                 "Models/Skybox_up.png", "Models/Skybox_back.png", "Models/Skybox_front.png"},
                skyboxProgram);

    chaseCraft(*world.camera, world.allObjects[0]);
}
