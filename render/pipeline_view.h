#pragma once
// The pipeline views (V): the final picture, then each stage's output in the chain's order, then
// the shadow cube, drawn into the window instead of the final picture. The scene before tone mapping
// is the HDR target times the exposure in false colour, one colour per band of brightness; the glow
// and the blurred glow are shown as they are, clamped to 0..1 and gamma-encoded for display. The
// anti-aliasing edges show which pixels of the tone-mapped picture the smoothing would move
// (whether it is on or not). The shadow cube shows its six faces unfolded in a cross of square cells
// fitted into the window (middle row -X +Z +X -Z, +Y above and -Y below +Z, each face as GL stores
// it), nearness to the light as grey from shadowViewRange on (black where nothing was drawn, as the
// shadow map sky shows it), black outside the cross. In wireframe the scene bypasses the HDR target:
// the colour views show what the last filled frame left there, the cube view the current cube
// (whose casters are lines then too). The overlay names the view, the faces and the bands.

#include "render/bloom.h"

// Units from 0 to shadowViewRange of distance from the light span white to black.
constexpr float shadowViewRange = 400.0f;

// The bands of brightness the view before tone mapping shows in false colour: the HDR luma times
// the exposure below each top (the last band: everything above the one before), and its colour.
struct BrightnessBand {
    float top;
    float red, green, blue;  // display colour, 0 to 1
    const char* name;        // for the legend
};
inline constexpr BrightnessBand brightnessBands[] = {
    {0.05f, 0.0f, 0.0f, 0.0f, "below 0.05"},    {0.25f, 0.1f, 0.1f, 0.6f, "0.05 to 0.25"},
    {0.5f, 0.0f, 0.6f, 1.0f, "0.25 to 0.5"},    {1.0f, 0.1f, 0.8f, 0.2f, "0.5 to 1"},
    {2.0f, 1.0f, 0.9f, 0.0f, "1 to 2"},         {4.0f, 1.0f, 0.45f, 0.0f, "2 to 4"},
    {0.0f, 1.0f, 0.0f, 0.0f, "4 and above"},
};
// The window's cells of the shadow cube's cross: lower left corner (x, y from the bottom) and side,
// in pixels of a target of this size.
struct CubeCross {
    int x = 0, y = 0, cell = 0;
};
CubeCross cubeCross(int width, int height);
// The face each cell of the cross shows, as (column, row from the bottom): +X, -X, +Y, -Y, +Z, -Z.
inline constexpr int cubeFaceCells[6][2] = {{2, 1}, {0, 1}, {1, 2}, {1, 0}, {1, 1}, {3, 1}};
inline constexpr const char* cubeFaceNames[6] = {"+X", "-X", "+Y", "-Y", "+Z", "-Z"};

// The view's name as V's console line ends it ("final picture", "glow", ...).
const char* pipelineViewName(PipelineView view);
// Builds the views' programs into programs.
void createPipelineViewPrograms(PostPrograms& programs);
// Draws the view (not Final) of the picture's targets, as the stages left them, into the bound
// framebuffer at the targets' size; the blurred glow is what the composite would add.
void drawPipelineView(const Picture& picture, PipelineView view);
