#include "render/switches.h"

#include <GL/glew.h>

#include "assets/shader_program.h"
#include "game/techniques.h"
#include "render/scene.h"
#include "render/texture_units.h"

namespace {
// Writes the filters into every texture and its sampler (but a test card's); the last one written
// stays bound on unit 0.
void applyFilters(const std::vector<Texture>& textures, bool linear, int mipmapMode) {
    static const GLint minFilters[3][2] = {{GL_NEAREST, GL_LINEAR},
                                           {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST},
                                           {GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}};
    const GLint minFilter = minFilters[mipmapMode][linear ? 1 : 0];
    const GLint magFilter = linear ? GL_LINEAR : GL_NEAREST;
    for (const Texture& texture : textures) {
        if (texture.keepsFilters) continue;
        glActiveTexture(GL_TEXTURE0 + colourTextureUnit);
        glBindTexture(GL_TEXTURE_2D, texture.textureId);
        glBindSampler(colourTextureUnit, texture.samplerId);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        // The bound sampler overrides the texture's own state, so it must carry the same filters.
        glSamplerParameteri(texture.samplerId, GL_TEXTURE_MIN_FILTER, minFilter);
        glSamplerParameteri(texture.samplerId, GL_TEXTURE_MAG_FILTER, magFilter);
    }
}
void writeShadowUniforms(const ShaderProgram* program, bool shadows, const TechniqueParameters& parameters) {
    if (!program) return;
    const GLuint id = program->programId;
    glUseProgram(id);
    glUniform1i(glGetUniformLocation(id, "shadows"), shadows ? 1 : 0);
    glUniform1f(glGetUniformLocation(id, "shadowSoftness"), parameters.shadowSoftness);
    glUniform1f(glGetUniformLocation(id, "shadowBias"), parameters.shadowBias);
}

ShaderProgram* programOf(const SceneObject* object) {
    return object && object->model ? object->model->program : nullptr;
}

// The shadow filter in every lit program, the light sphere's emission, the orbit sphere's opacity.
void applyParameters(const Scene& scene, bool shadows, const TechniqueParameters& parameters) {
    const LitPrograms& programs = *scene.litPrograms;
    for (int i = 0; i < programs.specularCount && i < maxSpecularPrograms; ++i) {
        writeShadowUniforms(programs.specular[i], shadows, parameters);
    }
    for (const ShaderProgram* program : programs.flat) writeShadowUniforms(program, shadows, parameters);
    if (ShaderProgram* program = programOf(scene.lightSphere)) {
        glUseProgram(program->programId);
        const glm::vec3 emission(parameters.lightEmission);
        glUniform3f(glGetUniformLocation(program->programId, "material.emission"), emission.r, emission.g, emission.b);
    }
    if (ShaderProgram* program = programOf(scene.orbitSphere)) {
        glUseProgram(program->programId);
        glUniform1f(glGetUniformLocation(program->programId, "alpha"), parameters.orbitOpacity);
        program->translucent = parameters.orbitOpacity < 1.0f;
    }
}
}  // namespace

void applySwitches(AppliedSwitches& applied, const Scene& scene, const RenderSettings& settings) {
    const bool all = !applied.known;
    // The compare view's defaults go back to the filters the textures were loaded with.
    const TextureFilters filters = textureFilters(settings);
    if (applied.textureLinear != filters.linear || applied.mipmapMode != filters.mipmapMode) {
        applyFilters(*scene.textures, filters.linear, filters.mipmapMode);
    }
    if (all || applied.shadows != settings.shadows || !sameParameters(applied.parameters, settings.parameters)) {
        applyParameters(scene, settings.shadows, settings.parameters);
    }
    applied = AppliedSwitches{true, filters.linear, filters.mipmapMode, settings.shadows, settings.parameters};
}

void useSceneState(const RenderSettings& settings) {
    glPolygonMode(GL_FRONT_AND_BACK, settings.wireframe ? GL_LINE : GL_FILL);
    if (settings.wireframe) {
        glEnable(GL_FRAMEBUFFER_SRGB);
    } else {
        glDisable(GL_FRAMEBUFFER_SRGB);
    }
    if (settings.transparency) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    glEnable(GL_DEPTH_TEST);
}
