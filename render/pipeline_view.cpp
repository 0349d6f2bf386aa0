#include "render/pipeline_view.h"

#include <GL/glew.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "assets/shader_program.h"
#include "render/bloom_chain.h"
#include "render/fxaa.h"
#include "render/shadow_map.h"
#include "render/texture_units.h"

namespace {
// One view: its name and the target it shows (none: the final picture, the edges or the cube).
struct ViewRow {
    const char* name;
    unsigned (*texture)(const PictureTargets& targets);
    bool exposed;  // scaled by the exposure, as the tone map scales it
};
const ViewRow viewRows[] = {
    {"final picture", nullptr, false},
    {"scene before tone mapping", [](const PictureTargets& targets) { return targets.hdrColorBuffers[0]; }, true},
    {"glow", [](const PictureTargets& targets) { return targets.hdrColorBuffers[1]; }, false},
    {"blurred glow", [](const PictureTargets& targets) { return targets.glowTexture; }, false},
    {"bloom levels", nullptr, false},
    {"anti-aliasing edges", nullptr, false},
    {"shadow cube faces", nullptr, false},
};
static_assert(std::size(viewRows) == static_cast<size_t>(PipelineView::Count), "a row per view");
}  // namespace

const char* pipelineViewName(PipelineView view) { return viewRows[static_cast<int>(view)].name; }

CubeCross cubeCross(int width, int height) {
    const int cell = std::min(width / 4, height / 3);
    return {(width - 4 * cell) / 2, (height - 3 * cell) / 2, cell};
}

void createPipelineViewPrograms(PostPrograms& programs) {
    programs.viewColourProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag");
    programs.viewCubeProgram = new ShaderProgram("Shader/bloom.vert", "Shader/pipeline_view.frag",
                                                 ShaderVariant{"#define SHADOW_CUBE"});
    GLuint id = programs.viewColourProgram->programId;
    glUseProgram(id);
    glUniform1i(glGetUniformLocation(id, "image"), viewImageUnit);
    programs.viewScaleLocation = glGetUniformLocation(id, "scale");
    programs.viewBandsLocation = glGetUniformLocation(id, "bands");
    for (int band = 0; band < static_cast<int>(std::size(brightnessBands)); ++band) {
        const BrightnessBand& b = brightnessBands[band];
        const std::string index = "[" + std::to_string(band) + "]";
        glUniform1f(glGetUniformLocation(id, ("bandTops" + index).c_str()), b.top);
        glUniform3f(glGetUniformLocation(id, ("bandColours" + index).c_str()), b.red, b.green, b.blue);
    }
    id = programs.viewCubeProgram->programId;
    glUseProgram(id);
    programs.viewCrossLocation = glGetUniformLocation(id, "crossArea");
    glUniform1i(glGetUniformLocation(id, "cube"), viewCubeUnit);
    glUniform1f(glGetUniformLocation(id, "stretch"), shadowFarPlane / shadowViewRange);
}

void drawPipelineView(const Picture& picture, PipelineView view) {
    const PictureTargets& targets = picture.targets;
    const PostPrograms& programs = picture.programs;
    useQuadState(targets.width, targets.height);
    if (view == PipelineView::AntiAliasingEdges) {
        drawAntiAliasingEdges(picture);
        return;
    }
    if (view == PipelineView::BloomLevels) {
        drawBloomLevels(picture);
        return;
    }
    if (view == PipelineView::ShadowCube) {
        const CubeCross cross = cubeCross(targets.width, targets.height);
        glActiveTexture(GL_TEXTURE0 + viewCubeUnit);
        glBindTexture(GL_TEXTURE_CUBE_MAP, picture.shadowCube);
        glUseProgram(programs.viewCubeProgram->programId);
        glUniform3f(programs.viewCrossLocation, static_cast<float>(cross.x), static_cast<float>(cross.y),
                    static_cast<float>(cross.cell));
    } else {
        const ViewRow& row = viewRows[static_cast<int>(view)];
        glActiveTexture(GL_TEXTURE0 + viewImageUnit);
        glBindTexture(GL_TEXTURE_2D, row.texture(targets));
        glUseProgram(programs.viewColourProgram->programId);
        glUniform1f(programs.viewScaleLocation, row.exposed ? picture.settings.parameters.exposure : 1.0f);
        // Before the tone map brightness has no top: its bands in false colour rather than clamped.
        glUniform1i(programs.viewBandsLocation, row.exposed ? static_cast<int>(std::size(brightnessBands)) : 0);
    }
    glActiveTexture(GL_TEXTURE0 + colourTextureUnit);  // later binds without choosing a unit must not land on ours
    renderQuad(programs);
}
