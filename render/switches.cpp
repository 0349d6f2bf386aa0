#include "render/switches.h"

#include <GL/glew.h>

#include "assets/shader_program.h"
#include "render/texture_units.h"

namespace {
// Polygons as lines or filled. Lines go straight to the window, past the tone map, so the window
// encodes their linear colour to sRGB meanwhile (it must be opened sRGB-capable).
void applyWireframe(bool wireframe) {
    glPolygonMode(GL_FRONT_AND_BACK, wireframe ? GL_LINE : GL_FILL);
    if (wireframe) {
        glEnable(GL_FRAMEBUFFER_SRGB);
    } else {
        glDisable(GL_FRAMEBUFFER_SRGB);
    }
}

void applyTransparency(bool transparency) {
    if (transparency) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}

// Writes the filters into every texture and its sampler; the last texture stays bound on unit 0.
void applyFilters(bool linear, int mipmapMode) {
    static const GLint minFilters[3][2] = {{GL_NEAREST, GL_LINEAR},
                                           {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST},
                                           {GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR_MIPMAP_LINEAR}};
    const GLint minFilter = minFilters[mipmapMode][linear ? 1 : 0];
    const GLint magFilter = linear ? GL_LINEAR : GL_NEAREST;
    for (const Texture& texture : world.textureList) {
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
void applyParameters(bool shadows, const TechniqueParameters& parameters) {
    for (int i = 0; i < world.specularProgramCount && i < maxSpecularPrograms; ++i) {
        writeShadowUniforms(world.specularPrograms[i], shadows, parameters);
    }
    for (const ShaderProgram* program : world.flatPrograms) writeShadowUniforms(program, shadows, parameters);
    if (ShaderProgram* program = programOf(world.lightSphere)) {
        glUseProgram(program->programId);
        const glm::vec3 emission(parameters.lightEmission);
        glUniform3f(glGetUniformLocation(program->programId, "material.emission"), emission.r, emission.g, emission.b);
    }
    if (ShaderProgram* program = programOf(world.orbitSphere)) {
        glUseProgram(program->programId);
        glUniform1f(glGetUniformLocation(program->programId, "alpha"), parameters.orbitOpacity);
        program->translucent = parameters.orbitOpacity < 1.0f;
    }
}
}  // namespace

void applySwitches(AppliedSwitches& applied, const RenderSettings& settings) {
    const bool all = !applied.known;
    if (all || applied.wireframe != settings.wireframe) applyWireframe(settings.wireframe);
    if (all || applied.transparency != settings.transparency) applyTransparency(settings.transparency);
    // The compare view's defaults go back to the filters the textures were loaded with.
    const TextureFilters filters = textureFilters(settings);
    const bool linear = filters.linear;
    const int mipmapMode = filters.mipmapMode;
    if (applied.textureLinear != linear || applied.mipmapMode != mipmapMode) applyFilters(linear, mipmapMode);
    if (all || applied.shadows != settings.shadows || applied.parameters != settings.parameters) {
        applyParameters(settings.shadows, settings.parameters);
    }
    applied = AppliedSwitches{true,
                              settings.wireframe,
                              settings.transparency,
                              linear,
                              mipmapMode,
                              settings.shadows,
                              settings.parameters};
}
