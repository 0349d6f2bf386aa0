#include "render/lighting.h"

#include <GL/glew.h>

#include <algorithm>
#include <glm/gtc/type_ptr.hpp>

#include "assets/shader_program.h"
#include "game/records.h"

namespace {
void writeLight(GLuint program, const Light& light) {
    glUniform3fv(glGetUniformLocation(program, "light.position"), 1, glm::value_ptr(light.position));
    glUniform3fv(glGetUniformLocation(program, "light.ambient"), 1, glm::value_ptr(light.ambient));
    glUniform3fv(glGetUniformLocation(program, "light.diffuse"), 1, glm::value_ptr(light.diffuse));
    glUniform3fv(glGetUniformLocation(program, "light.specular"), 1, glm::value_ptr(light.specular));
}
}  // namespace

bool isSelfLit(const Light& light, const Material& material) {
    const float lightAmbient = std::min(std::min(light.ambient.r, light.ambient.g), light.ambient.b);
    const float materialAmbient = std::min(std::min(material.ambient.r, material.ambient.g), material.ambient.b);
    return lightAmbient * materialAmbient > 0.5f;
}

ShaderProgram* createSpecularProgram(LitPrograms& programs, const Light& light, const Material& material, float alpha,
                                     glm::vec3 eye) {
    auto* program = new ShaderProgram("Shader/SpecularShader.vert", "Shader/SpecularShader.frag");
    program->selfLit = isSelfLit(light, material);
    program->translucent = alpha < 1.0f;
    const GLuint id = program->programId;
    glUseProgram(id);
    const GLint viewPosition = glGetUniformLocation(id, "viewPosition");
    if (programs.specularCount < maxSpecularPrograms) {
        programs.specular[programs.specularCount] = program;
        programs.specularViewPositionLocations[programs.specularCount] = viewPosition;
    }
    writeLight(id, light);
    glUniform3fv(viewPosition, 1, glm::value_ptr(eye));
    glUniform3fv(glGetUniformLocation(id, "material.ambient"), 1, glm::value_ptr(material.ambient));
    glUniform3fv(glGetUniformLocation(id, "material.diffuse"), 1, glm::value_ptr(material.diffuse));
    glUniform3fv(glGetUniformLocation(id, "material.specular"), 1, glm::value_ptr(material.specular));
    glUniform1fv(glGetUniformLocation(id, "material.shininess"), 1, &material.shininess);
    glUniform3fv(glGetUniformLocation(id, "material.emission"), 1, glm::value_ptr(material.emission));
    glUniform1fv(glGetUniformLocation(id, "alpha"), 1, &alpha);
    programs.specularCount += 1;
    return program;
}

ShaderProgram* createFlatProgram(LitPrograms& programs, const Light& light) {
    auto* program = new ShaderProgram("Shader/SpecularShader.vert", "Shader/FlatTexture.frag");
    glUseProgram(program->programId);
    programs.flat.push_back(program);
    programs.flatViewPositionLocations.push_back(glGetUniformLocation(program->programId, "viewPosition"));
    writeLight(program->programId, light);
    return program;
}

void attachProgram(Model& model, ShaderProgram* program) {
    model.program = program;
    const GLuint id = program->programId;
    glUseProgram(id);
    model.modelLocation = glGetUniformLocation(id, "model");
    model.projectionMatrixLocation = glGetUniformLocation(id, "projectionMatrix");
    model.texture2dLocation = glGetUniformLocation(id, "texture2d");
    model.depthMapLocation = glGetUniformLocation(id, "depthMap");
    model.farPlaneLocation = glGetUniformLocation(id, "far_plane");
    model.tintLocation = glGetUniformLocation(id, "tint");
}

void updateViewPositions(const LitPrograms& programs, glm::vec3 eyePosition) {
    const int specularCount = std::min(programs.specularCount, maxSpecularPrograms);
    for (int i = 0; i < specularCount; ++i) {
        if (!programs.specular[i]) continue;
        glUseProgram(programs.specular[i]->programId);
        glUniform3fv(programs.specularViewPositionLocations[i], 1, glm::value_ptr(eyePosition));
    }
    for (size_t i = 0; i < programs.flat.size(); ++i) {
        glUseProgram(programs.flat[i]->programId);
        glUniform3fv(programs.flatViewPositionLocations[i], 1, glm::value_ptr(eyePosition));
    }
}
