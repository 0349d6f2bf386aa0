#include "render/frustum_lines.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>

#include "assets/shader_program.h"
#include "view/camera.h"

namespace {
constexpr int lineEnds = 16;  // four edges and four sides of the far rectangle
constexpr float lineColour[3] = {1.0f, 0.85f, 0.1f};  // yellow, bright against space and planets

glm::vec3 unproject(const glm::mat4& inverse, float x, float y, float z) {
    const glm::vec4 point = inverse * glm::vec4(x, y, z, 1.0f);
    return glm::vec3(point) / point.w;
}
}  // namespace

void createFrustumLines(FrustumLines& lines) {
    lines.program = new ShaderProgram("Shader/lines.vert", "Shader/lines.frag");
    lines.viewProjectionLocation = glGetUniformLocation(lines.program->programId, "viewProjection");
    glUseProgram(lines.program->programId);
    glUniform3fv(glGetUniformLocation(lines.program->programId, "colour"), 1, lineColour);
    glGenVertexArrays(1, &lines.vertexArray);
    glGenBuffers(1, &lines.buffer);
    glBindVertexArray(lines.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, lines.buffer);
    glBufferData(GL_ARRAY_BUFFER, lineEnds * sizeof(glm::vec3), nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(glm::vec3), nullptr);
    glBindVertexArray(0);
}

void destroyFrustumLines(FrustumLines& lines) {
    delete lines.program;
    lines.program = nullptr;
    glDeleteBuffers(1, &lines.buffer);
    glDeleteVertexArrays(1, &lines.vertexArray);
    lines.buffer = lines.vertexArray = 0;
}

void drawFrustumLines(const FrustumLines& lines, const Camera& seen, const Camera& eye) {
    const glm::mat4 inverse = glm::inverse(seen.viewProjection);
    // Along each corner's ray a point's position is linear in its view depth.
    const float reach = (frustumLineReach - nearDistance) / (farDistance - nearDistance);
    glm::vec3 nearCorners[4], farCorners[4];
    const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (int i = 0; i < 4; ++i) {
        nearCorners[i] = unproject(inverse, corners[i][0], corners[i][1], -1.0f);
        const glm::vec3 far = unproject(inverse, corners[i][0], corners[i][1], 1.0f);
        farCorners[i] = nearCorners[i] + (far - nearCorners[i]) * reach;
    }
    glm::vec3 ends[lineEnds];
    for (int i = 0; i < 4; ++i) {
        ends[4 * i] = nearCorners[i];
        ends[4 * i + 1] = farCorners[i];
        ends[4 * i + 2] = farCorners[i];
        ends[4 * i + 3] = farCorners[(i + 1) % 4];
    }
    glUseProgram(lines.program->programId);
    glUniformMatrix4fv(lines.viewProjectionLocation, 1, GL_FALSE, glm::value_ptr(eye.viewProjection));
    glBindVertexArray(lines.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, lines.buffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof(ends), ends);
    glDrawArrays(GL_LINES, 0, lineEnds);
    glBindVertexArray(0);
}
