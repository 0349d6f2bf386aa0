#include "render/shadow_map.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <iostream>

#include "assets/shader_program.h"
#include "assets/texture.h"
#include "game/world.h"
#include "render/scene.h"
#include "render/shadow_cache.h"

namespace {
// Direction and up vector of each cube face, in GL's face order.
const glm::vec3 faceDirections[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
const glm::vec3 faceUps[6] = {{0, -1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {0, -1, 0}, {0, -1, 0}};
const char* const shadowTransformNames[6] = {"shadowTransforms[0]", "shadowTransforms[1]", "shadowTransforms[2]",
                                             "shadowTransforms[3]", "shadowTransforms[4]", "shadowTransforms[5]"};

enum class Casters { All, Kept, Moving };

void drawCasters(const ShadowCache& cache, int modelLocation, Casters which) {
    const size_t count = world.shadowCasters.size();
    for (size_t i = 0; i < count; ++i) {
        const SceneObject* caster = world.shadowCasters[i];
        if (which != Casters::All && castsMoving(cache, i) != (which == Casters::Moving)) continue;
        if (caster->model) drawModelDepth(*caster->model, modelLocation, caster->transform);
    }
}
}  // namespace

void createShadowMap(ShadowMap& shadowMap) {
    world.shadowWidth = shadowCubeSize;
    world.shadowHeight = shadowCubeSize;
    glGenFramebuffers(1, &shadowMap.framebuffer);
    glGenTextures(1, &world.depthCubeMap);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    for (int face = 0; face < 6; ++face) {
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, world.shadowWidth,
                     world.shadowHeight, 0, GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    }
    setCubeMapSampling();
    // Shown as the sky, the distances read as grey, and zero alpha tells them from sky images.
    const GLint greyWithoutAlpha[4] = {GL_RED, GL_RED, GL_RED, GL_ZERO};
    glTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_SWIZZLE_RGBA, greyWithoutAlpha);
    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.framebuffer);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, world.depthCubeMap, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cout << "Framebuffer not complete!" << std::endl;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    createShadowCache(shadowMap.cache, world.depthCubeMap, shadowCubeSize);
}

ShaderProgram* createDepthProgram() {
    return new ShaderProgram("Shader/DepthShader.vert", "Shader/DepthShader.frag", "Shader/DepthShader.geom");
}

void shadowTransforms(glm::vec3 lightPosition, glm::mat4 (&transforms)[6]) {
    const float aspect = static_cast<float>(world.shadowWidth) / static_cast<float>(world.shadowHeight);
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), aspect, 1.0f, shadowFarPlane);
    for (int face = 0; face < 6; ++face) {
        transforms[face] = projection * glm::lookAt(lightPosition, lightPosition + faceDirections[face], faceUps[face]);
    }
}

bool renderShadowPass(ShadowMap& shadowMap) {
    if (!world.depthProgram) return false;
    ShadowCache& cache = shadowMap.cache;
    const GLuint framebuffer = shadowMap.framebuffer;
    const glm::vec3 lightPosition = world.light.position;
    const ShadowWork work =
        planShadowWork(cache, world.shadowCasters, lightPosition, world.settings.wireframe, world.referenceFrames);
    if (work == ShadowWork::None) return false;
    glm::mat4 transforms[6];
    shadowTransforms(lightPosition, transforms);

    glViewport(0, 0, world.shadowWidth, world.shadowHeight);
    if (work == ShadowWork::DrawMoving) copyShadowCube(cache, false);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    if (work != ShadowWork::DrawMoving) glClear(GL_DEPTH_BUFFER_BIT);
    const GLuint program = world.depthProgram->programId;
    glUseProgram(program);
    const GLint modelLocation = glGetUniformLocation(program, "model");
    for (int face = 0; face < 6; ++face) {
        glUniformMatrix4fv(glGetUniformLocation(program, shadowTransformNames[face]), 1, GL_FALSE,
                           glm::value_ptr(transforms[face]));
    }
    glUniform1f(glGetUniformLocation(program, "far_plane"), shadowFarPlane);
    glUniform3fv(glGetUniformLocation(program, "lightPos"), 1, glm::value_ptr(lightPosition));
    glBindVertexArray(world.sharedVertexArray);
    // Depth keeps the nearest distance, so drawing the kept casters first changes nothing.
    if (work == ShadowWork::Rebuild) {
        drawCasters(cache, modelLocation, Casters::Kept);
        copyShadowCube(cache, true);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    }
    drawCasters(cache, modelLocation, work == ShadowWork::DrawAll ? Casters::All : Casters::Moving);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return true;
}

void drawModelDepth(const Model& model, int modelLocation, glm::mat4 transform) {
    const glm::mat4 modelMatrix = transform * model.modelMatrix;
    glUniformMatrix4fv(modelLocation, 1, GL_FALSE, glm::value_ptr(modelMatrix));
    const size_t meshCount = model.meshVertexCount.size();
    for (size_t i = 0; i < meshCount; ++i) {
        if (!model.meshTexture.empty()) bindMeshTexture(model, i);
        glDrawArrays(GL_TRIANGLES, model.meshFirstVertex[i], model.meshVertexCount[i]);
    }
}
