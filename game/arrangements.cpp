#include "game/arrangements.h"

#include <glm/gtc/matrix_transform.hpp>

#include "assets/shapes.h"
#include "game/world.h"
#include "render/lighting.h"
#include "view/bounds.h"
#include "view/camera.h"

namespace {
// The slab lies slabDrop below the light; the post stands postReach from the light's foot, so its
// shadow falls across the slab away from the light. The light grazes the slab there, where a
// lookup's slope offset is largest: the bias's top detaches the shadow from the post visibly.
constexpr float slabDrop = 6.0f;
constexpr float postReach = 14.0f;
constexpr float postHeight = 2.5f;
constexpr float postWidth = 0.5f;
constexpr float planeDepth = -300.0f;   // below every rock and planet
constexpr float planeSide = 2000.0f;    // units; the camera sees 1000 far
constexpr float checkerRepeats = 62.5f; // 32 units a repeat: squares of 4 units

// Light grey, dull: the arrangements show light and shadow, not colour.
const Material arrangementMaterial{{0.1f, 0.1f, 0.1f}, {0.7f, 0.7f, 0.7f}, {0.0f, 0.0f, 0.0f}, 1.0f};

SceneObject* arrange(Arrangement arrangement, Model* model, glm::vec3 position, glm::vec3 scale) {
    auto* object = new SceneObject(model, false);
    place(*object, position, glm::mat3(1.0f));
    object->transform = glm::scale(object->transform, scale);
    world.arranged[static_cast<int>(arrangement)].push_back(object);
    return object;
}

// Black and white squares of 8 texels, for filtering and mip-maps.
int32_t addCheckerTexture() {
    const int side = 64;
    world.textureList.push_back(createTexelTexture(checkerTexels(8, 8, {20}, {235}), side, false));
    return static_cast<int32_t>(world.textureList.size() - 1);
}

// Rows of one-texel squares whose two greys draw closer band by band (16 bands of 4 rows): edges
// of every contrast, for the anti-aliasing's threshold.
int32_t addTestCardTexture() {
    const int side = 64;
    std::vector<unsigned char> dark, light;
    for (int row = 0; row < side; ++row) {
        const int half = 8 + row / 4 * 7;  // half the gap between the band's greys
        dark.push_back(static_cast<unsigned char>(150 - half));
        light.push_back(static_cast<unsigned char>(150 + half * 2 / 3));
    }
    world.textureList.push_back(createTexelTexture(checkerTexels(side, 1, dark, light), side, true));
    return static_cast<int32_t>(world.textureList.size() - 1);
}
}  // namespace

void stageArrangementShapes(Model*& box, Model*& square) {
    box = new Model(glm::mat4(1.0f));
    stageBox(*box);
    square = new Model(glm::mat4(1.0f));
    stageSquare(*square, checkerRepeats, -1);
}

void placeArrangements(Model* box, Model* square, Model* rockModel) {
    LitPrograms& shadowed = world.litPrograms;
    LitPrograms unshadowed;  // the renderer writes no shadow switch into these: never shadowed
    const glm::vec3 eye = world.camera->position;
    Model* slabModel = box;
    attachProgram(*slabModel, createSpecularProgram(shadowed, world.light, arrangementMaterial, 1.0f, eye));
    Model* checkerModel = square;
    checkerModel->meshTexture = {addCheckerTexture()};
    attachProgram(*checkerModel, createSpecularProgram(unshadowed, world.light, arrangementMaterial, 1.0f, eye));
    auto* cardModel = new Model(square->modelMatrix);
    cardModel->shareGeometry(*square);
    cardModel->meshTexture = {addTestCardTexture()};
    attachProgram(*cardModel, checkerModel->program);

    const glm::vec3 light = world.light.position;
    const glm::vec3 slabTop = light - glm::vec3(0.0f, slabDrop, 0.0f);
    world.postBase = slabTop + glm::vec3(postReach, 0.0f, 0.0f);
    const Arrangement slab = Arrangement::ShadowSlab;
    arrange(slab, slabModel, slabTop + glm::vec3(13.0f, -0.3f, 0.0f), {30.0f, 0.6f, 16.0f});
    arrange(slab, slabModel, world.postBase + glm::vec3(0.0f, postHeight / 2.0f, 0.0f),
            {postWidth, postHeight, postWidth});
    SceneObject* rock = arrange(slab, rockModel, slabTop + glm::vec3(10.0f, 3.0f, -2.0f), glm::vec3(0.5f));
    rock->lodModel = nullptr;
    world.castersWithSlab = world.shadowCasters;
    for (SceneObject* object : world.arranged[static_cast<int>(slab)]) world.castersWithSlab.push_back(object);

    const glm::vec3 plane(0.0f, planeDepth, 0.0f);
    arrange(Arrangement::CheckerPlane, checkerModel, plane, glm::vec3(planeSide, 1.0f, planeSide));
    arrange(Arrangement::TestCard, cardModel, plane, glm::vec3(planeSide, 1.0f, planeSide));
}
