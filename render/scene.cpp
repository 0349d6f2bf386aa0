#include "render/scene.h"

#include <GL/glew.h>
#include <algorithm>
#include <glm/gtc/type_ptr.hpp>

#include "assets/shader_program.h"
#include "game/world.h"
#include "render/shadow_map.h"
#include "render/skybox.h"
#include "view/bounds.h"
#include "view/camera.h"
#include "view/precise_math.h"
#include "render/texture_units.h"

namespace {
bool isTranslucent(const SceneObject& object) {
    return object.model && object.model->program && object.model->program->translucent;
}

// The model the object is drawn with: its low-detail one from the set distance on, or always with F6.
const Model* chooseModel(const SceneObject& object) {
    if (!object.lodModel) return object.model;
    if (world.settings.lodAlwaysLowest) return object.lodModel;
    const glm::vec3 offset = world.camera->position - object.worldPosition;
    const float distance = sqrtF(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
    return distance < world.settings.parameters.lodDistance ? object.model : object.lodModel;
}

// The translucent objects' order: farthest from the eye first.
bool farther(const SceneDraw& a, const SceneDraw& b) {
    const glm::vec3 eye = world.camera->position;
    return distanceF(worldCenter(*a.object), eye) > distanceF(worldCenter(*b.object), eye);
}

// This frame's draws into record.planned: culled, with level of detail; translucent objects last,
// farthest first (with transparency off they are drawn opaque in their place).
void planDraws(SceneRecord& record) {
    std::vector<SceneDraw>& draws = record.planned;
    std::vector<SceneDraw>& translucent = record.translucent;
    draws.clear();
    translucent.clear();
    world.culledCount = 0;
    world.lowDetailCount = 0;
    for (SceneObject* object : world.allObjects) {
        if (world.settings.frustumCulling && !isInFrustum(*object)) {
            world.culledCount += 1;
            continue;
        }
        const Model* model = chooseModel(*object);
        if (model && model == object->lodModel) world.lowDetailCount += 1;
        if (!model) continue;
        const bool blended = world.settings.transparency && isTranslucent(*object);
        (blended ? translucent : draws).push_back(SceneDraw{object, model, object->transform, blended});
    }
    std::sort(translucent.begin(), translucent.end(), farther);
    draws.insert(draws.end(), translucent.begin(), translucent.end());
}

// True when the planned pass would draw what the target already holds.
bool sameAsRecorded(const SceneRecord& record, unsigned skyTexture, unsigned cubeVersion) {
    const Camera& camera = *world.camera;
    const RenderSettings& settings = world.settings;
    return record.valid && record.planned == record.draws && record.view == camera.view &&
           record.projection == camera.projection && record.eye == camera.position &&
           record.skyTexture == skyTexture && record.filtersChosen == settings.filtersChosen &&
           record.textureLinear == settings.textureLinear && record.mipmapMode == settings.mipmapMode &&
           record.cubeVersion == cubeVersion && record.shadows == settings.shadows &&
           record.parameters == settings.parameters;
}

void remember(SceneRecord& record, unsigned skyTexture, unsigned cubeVersion) {
    const Camera& camera = *world.camera;
    std::swap(record.draws, record.planned);
    record.view = camera.view;
    record.projection = camera.projection;
    record.eye = camera.position;
    record.skyTexture = skyTexture;
    record.filtersChosen = world.settings.filtersChosen;
    record.textureLinear = world.settings.textureLinear;
    record.mipmapMode = world.settings.mipmapMode;
    record.cubeVersion = cubeVersion;
    record.shadows = world.settings.shadows;
    record.parameters = world.settings.parameters;
}
}  // namespace

void renderScene(SceneRecord& record, bool targetKept, unsigned cubeVersion) {
    const Camera& camera = *world.camera;
    const unsigned sky = world.settings.showShadowCubeMap ? world.depthCubeMap : world.skyboxTexture;
    planDraws(record);
    if (targetKept && sameAsRecorded(record, sky, cubeVersion)) return;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSkybox(camera.view, camera.projection, sky);
    glBindVertexArray(world.sharedVertexArray);
    bool depthWrites = true;
    for (const SceneDraw& draw : record.planned) {
        if (draw.translucent && depthWrites) {
            glDepthMask(GL_FALSE);  // blended over what lies behind, hiding nothing drawn later
            depthWrites = false;
        }
        drawModel(*draw.model, world.depthCubeMap, camera.viewProjection, draw.transform);
    }
    if (!depthWrites) glDepthMask(GL_TRUE);
    glBindVertexArray(0);
    remember(record, sky, cubeVersion);
    record.valid = targetKept;
}

void bindMeshTexture(const Model& model, size_t mesh) {
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);
    const int index = model.meshTexture[mesh];
    if (index >= 0 && static_cast<size_t>(index) < world.textureList.size()) {
        glBindTexture(GL_TEXTURE_2D, world.textureList[index].textureId);
        glBindSampler(colourTextureUnit, world.textureList[index].samplerId);
    } else {
        glBindTexture(GL_TEXTURE_2D, world.untexturedTexture);
        glBindSampler(colourTextureUnit, 0);
    }
}

void drawModel(const Model& model, unsigned depthCubeMap, glm::mat4 viewProjection, glm::mat4 transform) {
    if (!model.hasGeometry || !model.program) return;
    const glm::mat4 modelMatrix = transform * model.modelMatrix;
    glUseProgram(model.program->programId);
    glUniformMatrix4fv(model.modelLocation, 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix4fv(model.projectionMatrixLocation, 1, GL_FALSE, glm::value_ptr(viewProjection));
    glUniform1f(model.farPlaneLocation, shadowFarPlane);
    glUniform1i(model.depthMapLocation, shadowCubeUnit);
    glUniform1i(model.texture2dLocation, colourTextureUnit);
    const size_t meshCount = model.meshVertexCount.size();
    for (size_t i = 0; i < meshCount; ++i) {
        if (!model.meshTexture.empty()) bindMeshTexture(model, i);
        glActiveTexture(GL_TEXTURE0 + shadowCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, depthCubeMap);
        glDrawArrays(GL_TRIANGLES, model.meshFirstVertex[i], model.meshVertexCount[i]);
    }
}
