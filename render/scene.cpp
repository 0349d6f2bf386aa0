#include "render/scene.h"

#include <GL/glew.h>
#include <algorithm>
#include <glm/gtc/type_ptr.hpp>

#include "assets/shader_program.h"
#include "game/techniques.h"
#include "render/shadow_map.h"
#include "render/skybox.h"
#include "view/bounds.h"
#include "view/precise_math.h"
#include "render/texture_units.h"

namespace {
bool isTranslucent(const SceneObject& object) {
    return object.model && object.model->program && object.model->program->translucent;
}

// The model the object is drawn with: its low-detail one from the set distance on, or always with F6.
const Model* chooseModel(const SceneObject& object, glm::vec3 eye, const RenderSettings& settings) {
    if (!object.lodModel) return object.model;
    if (settings.lodAlwaysLowest) return object.lodModel;
    const glm::vec3 offset = eye - object.worldPosition;
    const float distance = sqrtF(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
    return distance < settings.parameters.lodDistance ? object.model : object.lodModel;
}

// This frame's draws into record.planned: culled, with level of detail; translucent objects last,
// farthest from the eye first (with transparency off they are drawn opaque in their place); then
// the arrangement. Seen from outside, what the culler culls is drawn marked instead of skipped.
SceneCounts planDraws(SceneRecord& record, const Scene& scene, const Camera& eye, const Camera& culler,
                      const RenderSettings& settings) {
    std::vector<SceneDraw>& draws = record.planned;
    std::vector<SceneDraw>& translucent = record.translucent;
    draws.clear();
    translucent.clear();
    SceneCounts counts;
    for (SceneObject* object : *scene.objects) {
        const bool culled = settings.frustumCulling && !isInFrustum(culler.frustum, *object);
        counts.culled += culled;
        if (culled && !scene.outsideCamera) continue;
        const Model* model = chooseModel(*object, culler.position, settings);
        const bool low = model && model == object->lodModel;
        if (low) counts.lowDetail += 1;
        if (!model) continue;
        const bool blended = settings.transparency && isTranslucent(*object);
        const bool marked = culled || (low && scene.tintLowDetail);
        (blended ? translucent : draws).push_back(SceneDraw{object, model, object->transform, blended, marked});
    }
    const glm::vec3 from = eye.position;
    std::sort(translucent.begin(), translucent.end(), [from](const SceneDraw& a, const SceneDraw& b) {
        return distanceF(worldCenter(*a.object), from) > distanceF(worldCenter(*b.object), from);
    });
    draws.insert(draws.end(), translucent.begin(), translucent.end());
    if (scene.arrangement) {
        for (SceneObject* object : *scene.arrangement) {
            draws.push_back(SceneDraw{object, object->model, object->transform, false, false});
        }
    }
    return counts;
}

// True when the planned pass would draw what the target already holds.
bool sameAsRecorded(const SceneRecord& record, const Scene& scene, const Camera& eye, const Camera& culler,
                    const RenderSettings& settings, unsigned skyTexture, unsigned cubeVersion) {
    return record.valid && record.planned == record.draws && record.view == eye.view &&
           record.culling == culler.viewProjection &&
           record.projection == eye.projection && record.eye == eye.position && record.skyTexture == skyTexture &&
           record.filtersChosen == settings.filtersChosen && record.textureLinear == settings.textureLinear &&
           record.mipmapMode == settings.mipmapMode && record.cubeVersion == cubeVersion &&
           record.shadows == settings.shadows && sameParameters(record.parameters, settings.parameters) &&
           record.tintLowDetail == scene.tintLowDetail;
}

void remember(SceneRecord& record, const Scene& scene, const Camera& eye, const Camera& culler,
              const RenderSettings& settings, unsigned skyTexture, unsigned cubeVersion) {
    std::swap(record.draws, record.planned);
    record.view = eye.view;
    record.culling = culler.viewProjection;
    record.projection = eye.projection;
    record.eye = eye.position;
    record.skyTexture = skyTexture;
    record.filtersChosen = settings.filtersChosen;
    record.textureLinear = settings.textureLinear;
    record.mipmapMode = settings.mipmapMode;
    record.cubeVersion = cubeVersion;
    record.shadows = settings.shadows;
    record.parameters = settings.parameters;
    record.tintLowDetail = scene.tintLowDetail;
}

// A guided view's marks: magenta replaces this share of a marked object's colour. The share is set
// before each draw that can carry one (models share programs) and taken off after the pass.
constexpr float markTint[4] = {1.0f, 0.0f, 1.0f, 0.6f};
bool marksShown(const Scene& scene) { return scene.tintLowDetail || scene.outsideCamera; }
void setMark(const Model& model, float share) {
    if (model.tintLocation < 0) return;
    glUseProgram(model.program->programId);
    glUniform4f(model.tintLocation, markTint[0], markTint[1], markTint[2], share);
}
}  // namespace

SceneCounts renderScene(SceneRecord& record, const Scene& scene, const Camera& eye, const Camera& culler,
                        const RenderSettings& settings, unsigned depthCubeMap, unsigned cubeVersion, bool targetKept) {
    const unsigned sky = settings.showShadowCubeMap ? depthCubeMap : scene.sky->texture;
    const SceneCounts counts = planDraws(record, scene, eye, culler, settings);
    if (targetKept && sameAsRecorded(record, scene, eye, culler, settings, sky, cubeVersion)) return counts;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSkybox(*scene.sky, eye.view, eye.projection, sky);
    glBindVertexArray(scene.vertexArray);
    bool depthWrites = true;
    const bool marks = marksShown(scene);
    for (const SceneDraw& draw : record.planned) {
        if (draw.translucent && depthWrites) {
            glDepthMask(GL_FALSE);  // blended over what lies behind, hiding nothing drawn later
            depthWrites = false;
        }
        if (marks) setMark(*draw.model, draw.marked ? markTint[3] : 0.0f);
        drawModel(scene, *draw.model, depthCubeMap, eye.viewProjection, draw.transform);
    }
    if (marks) {
        for (const SceneDraw& draw : record.planned) {
            if (draw.marked) setMark(*draw.model, 0.0f);
        }
    }
    if (!depthWrites) glDepthMask(GL_TRUE);
    glBindVertexArray(0);
    remember(record, scene, eye, culler, settings, sky, cubeVersion);
    record.valid = targetKept;
    return counts;
}

void bindMeshTexture(const Scene& scene, const Model& model, size_t mesh) {
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);
    const std::vector<Texture>& textures = *scene.textures;
    const int index = model.meshTexture[mesh];
    if (index >= 0 && static_cast<size_t>(index) < textures.size()) {
        glBindTexture(GL_TEXTURE_2D, textures[index].textureId);
        glBindSampler(colourTextureUnit, textures[index].samplerId);
    } else {
        glBindTexture(GL_TEXTURE_2D, scene.untexturedTexture);
        glBindSampler(colourTextureUnit, 0);
    }
}

void drawModel(const Scene& scene, const Model& model, unsigned depthCubeMap, glm::mat4 viewProjection,
               glm::mat4 transform) {
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
        if (!model.meshTexture.empty()) bindMeshTexture(scene, model, i);
        glActiveTexture(GL_TEXTURE0 + shadowCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, depthCubeMap);
        glDrawArrays(GL_TRIANGLES, model.meshFirstVertex[i], model.meshVertexCount[i]);
    }
}
