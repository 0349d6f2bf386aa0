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
// farthest from the eye first (with transparency off they are drawn opaque in their place).
SceneCounts planDraws(SceneRecord& record, const Scene& scene, const Camera& eye, const RenderSettings& settings) {
    std::vector<SceneDraw>& draws = record.planned;
    std::vector<SceneDraw>& translucent = record.translucent;
    draws.clear();
    translucent.clear();
    SceneCounts counts;
    for (SceneObject* object : *scene.objects) {
        if (settings.frustumCulling && !isInFrustum(eye.frustum, *object)) {
            counts.culled += 1;
            continue;
        }
        const Model* model = chooseModel(*object, eye.position, settings);
        if (model && model == object->lodModel) counts.lowDetail += 1;
        if (!model) continue;
        const bool blended = settings.transparency && isTranslucent(*object);
        (blended ? translucent : draws).push_back(SceneDraw{object, model, object->transform, blended});
    }
    const glm::vec3 from = eye.position;
    std::sort(translucent.begin(), translucent.end(), [from](const SceneDraw& a, const SceneDraw& b) {
        return distanceF(worldCenter(*a.object), from) > distanceF(worldCenter(*b.object), from);
    });
    draws.insert(draws.end(), translucent.begin(), translucent.end());
    return counts;
}

// True when the planned pass would draw what the target already holds.
bool sameAsRecorded(const SceneRecord& record, const Scene& scene, const Camera& eye, const RenderSettings& settings,
                    unsigned skyTexture, unsigned cubeVersion) {
    return record.valid && record.planned == record.draws && record.view == eye.view &&
           record.projection == eye.projection && record.eye == eye.position && record.skyTexture == skyTexture &&
           record.filtersChosen == settings.filtersChosen && record.textureLinear == settings.textureLinear &&
           record.mipmapMode == settings.mipmapMode && record.cubeVersion == cubeVersion &&
           record.shadows == settings.shadows && sameParameters(record.parameters, settings.parameters) &&
           record.tintLowDetail == scene.tintLowDetail;
}

void remember(SceneRecord& record, const Scene& scene, const Camera& eye, const RenderSettings& settings,
              unsigned skyTexture, unsigned cubeVersion) {
    std::swap(record.draws, record.planned);
    record.view = eye.view;
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

// The level of detail's guided view marks the rocks drawn low in magenta: the share of the mark
// is set before each rock's draw (the detailed and the low model share their program), and taken
// off after the pass. Returns the model whose program holds a mark now, or null.
constexpr float lowDetailTint[4] = {1.0f, 0.0f, 1.0f, 0.6f};
const Model* markIfLow(const Scene& scene, const SceneDraw& draw) {
    if (!scene.tintLowDetail || !draw.object->lodModel || draw.model->tintLocation < 0) return nullptr;
    const float share = draw.model == draw.object->lodModel ? lowDetailTint[3] : 0.0f;
    glUseProgram(draw.model->program->programId);
    glUniform4f(draw.model->tintLocation, lowDetailTint[0], lowDetailTint[1], lowDetailTint[2], share);
    return draw.model;
}
}  // namespace

SceneCounts renderScene(SceneRecord& record, const Scene& scene, const Camera& eye, const RenderSettings& settings,
                        unsigned depthCubeMap, unsigned cubeVersion, bool targetKept) {
    const unsigned sky = settings.showShadowCubeMap ? depthCubeMap : scene.sky->texture;
    const SceneCounts counts = planDraws(record, scene, eye, settings);
    if (targetKept && sameAsRecorded(record, scene, eye, settings, sky, cubeVersion)) return counts;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawSkybox(*scene.sky, eye.view, eye.projection, sky);
    glBindVertexArray(scene.vertexArray);
    bool depthWrites = true;
    const Model* marked = nullptr;
    for (const SceneDraw& draw : record.planned) {
        if (draw.translucent && depthWrites) {
            glDepthMask(GL_FALSE);  // blended over what lies behind, hiding nothing drawn later
            depthWrites = false;
        }
        if (const Model* model = markIfLow(scene, draw)) marked = model;
        drawModel(scene, *draw.model, depthCubeMap, eye.viewProjection, draw.transform);
    }
    if (marked) {
        glUseProgram(marked->program->programId);
        glUniform4f(marked->tintLocation, 0.0f, 0.0f, 0.0f, 0.0f);
    }
    if (!depthWrites) glDepthMask(GL_TRUE);
    glBindVertexArray(0);
    remember(record, scene, eye, settings, sky, cubeVersion);
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
