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

namespace {
bool isTranslucent(const SceneObject& object) {
    return object.model && object.model->program && object.model->program->translucent;
}

// Blended over everything opaque, farthest first, without hiding what lies behind them.
void drawTranslucent(std::vector<SceneObject*>& objects, const Camera& camera) {
    if (objects.empty()) return;
    const glm::vec3 eye = camera.position;
    std::sort(objects.begin(), objects.end(), [eye](const SceneObject* a, const SceneObject* b) {
        return distanceF(worldCenter(*a), eye) > distanceF(worldCenter(*b), eye);
    });
    glDepthMask(GL_FALSE);
    for (SceneObject* object : objects) drawObject(*object, camera.viewProjection);
    glDepthMask(GL_TRUE);
}
}  // namespace

void renderScene() {
    const Camera& camera = *world.camera;
    drawSkybox(camera.view, camera.projection,
               world.settings.showShadowCubeMap ? world.depthCubeMap : world.skyboxTexture);
    glBindVertexArray(world.sharedVertexArray);
    world.culledCount = 0;
    world.lowDetailCount = 0;
    // With transparency off, translucent objects are drawn opaque in their place.
    std::vector<SceneObject*>& later = world.translucentDraws;
    later.clear();
    for (SceneObject* object : world.allObjects) {
        if (world.settings.frustumCulling && !isInFrustum(*object)) {
            world.culledCount += 1;
            continue;
        }
        if (world.settings.transparency && isTranslucent(*object)) {
            later.push_back(object);
            continue;
        }
        drawObject(*object, camera.viewProjection);
    }
    drawTranslucent(later, camera);
    glBindVertexArray(0);
}

void drawObject(SceneObject& object, glm::mat4 viewProjection) {
    const Model* chosen = object.model;
    if (object.lodModel) {
        const glm::vec4 origin = object.transform * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f);
        object.worldPosition = glm::vec3(origin) / origin.w;
        if (world.settings.lodAlwaysLowest) {
            chosen = object.lodModel;
        } else {
            const glm::vec3 offset = world.camera->position - object.worldPosition;
            const float distance = sqrtF(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
            chosen = distance < lodDistance ? object.model : object.lodModel;
        }
    }
    if (chosen && chosen == object.lodModel) world.lowDetailCount += 1;
    if (chosen) drawModel(*chosen, world.depthCubeMap, viewProjection, object.transform);
}

void bindMeshTexture(const Model& model, size_t mesh) {
    glActiveTexture(GL_TEXTURE0);
    const int index = model.meshTexture[mesh];
    if (index >= 0 && static_cast<size_t>(index) < world.textureList.size()) {
        glBindTexture(GL_TEXTURE_2D, world.textureList[index].textureId);
        glBindSampler(0, world.textureList[index].samplerId);
    } else {
        glBindTexture(GL_TEXTURE_2D, world.untexturedTexture);
        glBindSampler(0, 0);
    }
}

void drawModel(const Model& model, unsigned depthCubeMap, glm::mat4 viewProjection, glm::mat4 transform) {
    if (!model.hasGeometry || !model.program) return;
    const glm::mat3 normalMatrix = glm::mat3(glm::transpose(glm::inverse(transform)));
    const glm::mat4 modelMatrix = transform * model.modelMatrix;
    glUseProgram(model.program->programId);
    glUniformMatrix4fv(model.modelLocation, 1, GL_FALSE, glm::value_ptr(modelMatrix));
    glUniformMatrix3fv(model.normalMatrixLocation, 1, GL_FALSE, glm::value_ptr(normalMatrix));
    glUniformMatrix4fv(model.projectionMatrixLocation, 1, GL_FALSE, glm::value_ptr(viewProjection));
    glUniform1f(model.farPlaneLocation, shadowFarPlane);
    glUniform1i(model.depthMapLocation, 1);
    glUniform1i(model.texture2dLocation, 0);
    const size_t meshCount = model.meshVertexCount.size();
    for (size_t i = 0; i < meshCount; ++i) {
        if (!model.meshTexture.empty()) bindMeshTexture(model, i);
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_CUBE_MAP, depthCubeMap);
        glDrawArrays(GL_TRIANGLES, model.meshFirstVertex[i], model.meshVertexCount[i]);
    }
}
