#include "render/skybox.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "assets/shader_program.h"
#include "assets/texture.h"
#include "render/texture_units.h"

void drawSkybox(const Sky& sky, glm::mat4 view, glm::mat4 projection, unsigned cubeMap) {
    if (!sky.ready) return;
    glDepthMask(GL_FALSE);
    glUseProgram(sky.program->programId);
    const glm::mat4 rotationOnly = glm::mat4(glm::mat3(view));
    const glm::mat4 skyMatrix = projection * rotationOnly;
    const glm::mat4 identity(1.0f);
    glUniformMatrix4fv(sky.modelLocation, 1, GL_FALSE, glm::value_ptr(identity));
    glUniformMatrix4fv(sky.projectionLocation, 1, GL_FALSE, glm::value_ptr(skyMatrix));
    glBindVertexArray(sky.vertexArray);
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);
    glUniform1i(sky.cubemapLocation, colourTextureUnit);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeMap);
    glBindSampler(colourTextureUnit, 0);  // a mesh sampler left on unit 0 would override the cube map's clamping
    glDrawArrays(GL_TRIANGLES, 0, 36);
    glBindVertexArray(0);
    glDepthMask(GL_TRUE);
}
