#include "render/shadow_map.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <iostream>

#include "assets/shader_program.h"
#include "assets/texture.h"
#include "render/scene.h"
#include "render/shadow_cache.h"

namespace {
// Direction and up vector of each cube face, in GL's face order.
const glm::vec3 faceDirections[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
const glm::vec3 faceUps[6] = {{0, -1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {0, -1, 0}, {0, -1, 0}};
const char* const shadowTransformNames[6] = {"shadowTransforms[0]", "shadowTransforms[1]", "shadowTransforms[2]",
                                             "shadowTransforms[3]", "shadowTransforms[4]", "shadowTransforms[5]"};

enum class Casters { All, Kept, Moving };

void drawCasters(const Scene& scene, const ShadowCache& cache, int modelLocation, Casters which) {
    const std::vector<SceneObject*>& casters = *scene.shadowCasters;
    for (size_t i = 0; i < casters.size(); ++i) {
        const SceneObject* caster = casters[i];
        if (which != Casters::All && castsMoving(cache, i) != (which == Casters::Moving)) continue;
        if (caster->model) drawModelDepth(scene, *caster->model, modelLocation, caster->transform);
    }
}
}  // namespace

void createShadowMap(ShadowMap& shadowMap) {
    shadowMap.program =
        new ShaderProgram("Shader/DepthShader.vert", "Shader/DepthShader.frag", "Shader/DepthShader.geom");
    glGenFramebuffers(1, &shadowMap.framebuffer);
    glGenTextures(1, &shadowMap.cube);
    glBindTexture(GL_TEXTURE_CUBE_MAP, shadowMap.cube);
    for (int face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, shadowCubeSize, shadowCubeSize, 0,
                     GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    }
    setCubeMapSampling();
    // Shown as the sky, the distances read as grey, and zero alpha tells them from sky images.
    const GLint greyWithoutAlpha[4] = {GL_RED, GL_RED, GL_RED, GL_ZERO};
    glTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_SWIZZLE_RGBA, greyWithoutAlpha);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.framebuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, shadowMap.cube, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "Framebuffer not complete!" << std::endl;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    createShadowCache(shadowMap.cache, shadowMap.cube, shadowCubeSize);
}

void shadowTransforms(glm::vec3 lightPosition, glm::mat4 (&transforms)[6]) {
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), 1.0f, 1.0f, shadowFarPlane);
    for (int face = 0; face < 6; ++face) {
        transforms[face] = projection * glm::lookAt(lightPosition, lightPosition + faceDirections[face], faceUps[face]);
    }
}

bool renderShadowPass(ShadowMap& shadowMap, const Scene& scene, bool wireframe, bool reference) {
    if (!shadowMap.program) return false;
    ShadowCache& cache = shadowMap.cache;
    const GLuint framebuffer = shadowMap.framebuffer;
    const glm::vec3 lightPosition = scene.lightPosition;
    const ShadowWork work = planShadowWork(cache, *scene.shadowCasters, lightPosition, wireframe, reference);
    if (work == ShadowWork::None) return false;
    glm::mat4 transforms[6];
    shadowTransforms(lightPosition, transforms);

    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    glEnable(GL_DEPTH_TEST);
    glViewport(0, 0, shadowCubeSize, shadowCubeSize);
    if (work == ShadowWork::DrawMoving) copyShadowCube(cache, false);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (work != ShadowWork::DrawMoving) glClear(GL_DEPTH_BUFFER_BIT);
    const GLuint program = shadowMap.program->programId;
    glUseProgram(program);
    const GLint modelLocation = glGetUniformLocation(program, "model");
    for (int face = 0; face < 6; ++face) {
        glUniformMatrix4fv(glGetUniformLocation(program, shadowTransformNames[face]), 1, GL_FALSE,
                           glm::value_ptr(transforms[face]));
    }
    glUniform1f(glGetUniformLocation(program, "far_plane"), shadowFarPlane);
    glUniform3fv(glGetUniformLocation(program, "lightPos"), 1, glm::value_ptr(lightPosition));
    glBindVertexArray(scene.vertexArray);
    // Depth keeps the nearest distance, so drawing the kept casters first changes nothing.
    if (work == ShadowWork::Rebuild) {
        drawCasters(scene, cache, modelLocation, Casters::Kept);
        copyShadowCube(cache, true);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    }
    drawCasters(scene, cache, modelLocation, work == ShadowWork::DrawAll ? Casters::All : Casters::Moving);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    shadowMap.version += 1;
    return true;
}

void drawModelDepth(const Scene& scene, const Model& model, int modelLocation, glm::mat4 transform) {
    const glm::mat4 modelMatrix = transform * model.modelMatrix;
    glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(modelMatrix));
    const size_t meshCount = model.meshVertexCount.size();
    for (size_t i = 0; i < meshCount; ++i) {
        if (!model.meshTexture.empty()) bindMeshTexture(scene, model, i);
        glDrawArrays(GL_TRIANGLES, model.meshFirstVertex[i], model.meshVertexCount[i]);
    }
}
