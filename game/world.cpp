#include "game/world.h"

#include <glm/gtc/matrix_transform.hpp>

#include "game/techniques.h"

// Never destroyed: set-up objects stay reachable through it until the process ends.
World& world = *new World();

SceneObject::SceneObject(Model* model, bool collidable) : model(model), collidable(collidable) {}

void updateOrbitSphere(float dt) {
    if (!world.orbitSphere || !world.leadEnemy) return;
    world.orbitAngle += 2.0f * dt;
    const SceneObject& lead = *world.leadEnemy;
    const glm::vec3 centre = glm::vec3(lead.transform * lead.model->modelMatrix * glm::vec4(lead.model->center, 1.0f));
    glm::mat4 around = glm::translate(glm::mat4(1.0f), centre);
    around = glm::rotate(around, world.orbitAngle, glm::vec3(0.0f, 1.0f, 0.0f));
    world.orbitSphere->transform = glm::translate(around, glm::vec3(3.0f, 3.0f, 3.0f));
}

TextureFilters textureFilters(const RenderSettings& settings) {
    return settings.filtersChosen ? TextureFilters{settings.textureLinear, settings.mipmapMode} : TextureFilters{};
}

RenderSettings defaultPicture(const RenderSettings& now) {
    RenderSettings defaults;
    for (const Technique& technique : techniques) {
        for (const Setting& setting : technique.settings) {
            if (!setting.picture && setting.flag) defaults.*setting.flag = now.*setting.flag;
        }
    }
    // Not settings of the table, and no part of the picture either.
    defaults.stepOnce = now.stepOnce;
    defaults.compareSplit = now.compareSplit;
    defaults.pipelineView = now.pipelineView;
    return defaults;
}
