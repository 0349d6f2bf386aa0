// The scene pass (sky, culling, level of detail, blending) and the bloom passes, read back from GL.
#include <gtest/gtest.h>

#include <cmath>

#include "assets/texture.h"
#include "tests/support/asset_files.h"
#include "tests/support/render_rig.h"
#include "tests/support/spheres.h"

namespace {
class ScenePass : public ::testing::Test {
protected:
    void TearDown() override {
        world.settings = RenderSettings{};
        setWireframe(false);
        glEnable(GL_BLEND);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
};

// Triangles drawn by the scene pass.
GLuint primitivesOfScene(RenderRig& rig) {
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    rig.drawScene();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint primitives = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &primitives);
    glDeleteQueries(1, &query);
    return primitives;
}

GLuint trianglesOf(const Model& model) {
    GLuint vertices = 0;
    for (int32_t count : model.meshVertexCount) vertices += static_cast<GLuint>(count);
    return vertices / 3;
}

std::vector<float> sceneTexels() { return textureTexels(world.bloomPass.hdrColorBuffers[0]); }

// Mean green of the scene over the pixels something covers (the rig draws no sky).
float meanOverCovered() {
    const std::vector<float> texels = sceneTexels();
    double sum = 0.0;
    int covered = 0;
    for (size_t i = 1; i < texels.size(); i += 3) {
        sum += texels[i];
        covered += texels[i] > 0.0f;
    }
    return covered ? static_cast<float>(sum / covered) : 0.0f;
}

// Sky face i is one solid colour of its own (blue, green, red, alpha as the image stores it).
std::vector<BYTE> skyColour(int face) { return {BYTE(30 + 35 * face), BYTE(220 - 40 * face), BYTE(90 + 25 * face), 255}; }

// The colour the sky pass writes for face i: the image's colour in linear light.
glm::vec3 linearSkyColour(int face) {
    const std::vector<BYTE> bgra = skyColour(face);
    const glm::vec3 encoded = glm::vec3(bgra[2], bgra[1], bgra[0]) / 255.0f;
    return encoded * encoded;
}

void setUpSolidSky(RenderRig& rig) {
    const std::string dir = scratchDirectory();
    const char* const names[6] = {"right", "left", "down", "up", "back", "front"};
    std::vector<std::string> paths;
    for (int face = 0; face < 6; ++face) {
        paths.push_back(dir + "Skybox_" + names[face] + ".png");
        writeImage(paths.back(), FIF_PNG, 4, 4, 24, [face](int, int) { return skyColour(face); });
    }
    setUpSkybox(paths, rig.own(new ShaderProgram("Shader/SkyboxShader.vert", "Shader/SkyboxShader.frag")));
    ASSERT_TRUE(world.skyboxReady);
}

const glm::ivec2 centre(400, 300);
}  // namespace

TEST_F(ScenePass, SkyShowsEachFaceInItsDirectionFollowingTurnsButNotMoves) {
    RenderRig rig;
    setUpSolidSky(rig);
    const glm::vec3 directions[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    const glm::vec3 ups[6] = {{0, 1, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}};
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        rig.lookAt(glm::vec3(0.0f), directions[face], ups[face]);
        rig.drawScene();
        const std::vector<float> atOrigin = sceneTexels();
        expectNear(texelAt(atOrigin, centre), linearSkyColour(face), 0.01f);
        const glm::vec3 far(120.0f, -340.0f, 75.0f);
        rig.lookAt(far, far + directions[face], ups[face]);
        rig.drawScene();
        EXPECT_TRUE(sceneTexels() == atOrigin) << "moving without turning changed the sky";
    }
}

TEST_F(ScenePass, SkyShowsTheShadowCubeMapWhenAsked) {
    RenderRig rig;
    setUpSolidSky(rig);
    // 50 units from the light along +X, radius 2: face 0 stores 48 / 1000 where it lies.
    rig.add(rig.sphereModel(2.0f, rig.lit), world.light.position + glm::vec3(50, 0, 0), true);
    world.allObjects.clear();
    rig.lookAt(glm::vec3(0.0f), glm::vec3(1, 0, 0));
    world.settings.showShadowCubeMap = true;
    rig.drawScene();
    // Grey, and a caster 48 units from the light stands out bright against the empty far background.
    const glm::vec3 caster = texelAt(sceneTexels(), centre);
    expectNear(caster, glm::vec3(caster.r), 1e-6f);
    EXPECT_GT(caster.r, 0.5f);
    // Straight up from the light nothing casts: the cleared distance 1 shows.
    rig.lookAt(glm::vec3(0.0f), glm::vec3(0, 1, 0), glm::vec3(0, 0, 1));
    rig.drawScene();
    expectNear(texelAt(sceneTexels(), centre), glm::vec3(0.0f), 0.01f);
    world.settings.showShadowCubeMap = false;
    rig.drawScene();
    expectNear(texelAt(sceneTexels(), centre), linearSkyColour(2), 0.01f);
}

TEST_F(ScenePass, CulledAndDrawnObjectsAddUpToTheDrawList) {
    RenderRig rig;
    Model* rock = rig.sphereModel(1.0f, rig.lit);
    Model empty(glm::mat4(1.0f));  // no geometry: passes culling, draws nothing
    for (float y : {-5.0f, 0.0f, 5.0f}) rig.add(rock, {20, y, 0}, false);
    rig.add(rock, {-20, 0, 0}, false);
    rig.add(rock, {0, 0, -30}, false);
    rig.add(&empty, {20, 0, 3}, false);
    const GLuint perRock = trianglesOf(*rock);
    ASSERT_GT(perRock, 0u);

    EXPECT_EQ(primitivesOfScene(rig), 3 * perRock);
    EXPECT_EQ(world.culledCount, 2);
    EXPECT_EQ(world.culledCount + 4, static_cast<int>(world.allObjects.size()));

    world.settings.frustumCulling = false;
    EXPECT_EQ(primitivesOfScene(rig), 5 * perRock);
    EXPECT_EQ(world.culledCount, 0);
}

TEST_F(ScenePass, LowDetailModelFromExactlySeventyFiveUnits) {
    RenderRig rig({"Models/asteroid.dae"});
    Model* detailed = rig.extra[0];
    attachProgram(*detailed, rig.lit);
    Model* low = rig.sphereModel(1.0f, rig.lit);
    ASSERT_NE(trianglesOf(*detailed), trianglesOf(*low));
    SceneObject* rock = rig.add(detailed, {75, 0, 0}, false);
    rock->lodModel = low;
    SceneObject* plain = rig.add(rig.sphereModel(1.0f, rig.lit), {0, 0, 0}, false);
    world.allObjects = {rock};

    EXPECT_EQ(primitivesOfScene(rig), trianglesOf(*low));
    EXPECT_EQ(rock->worldPosition, glm::vec3(75, 0, 0));
    const float standInBrightness = meanOverCovered();
    place(*rock, {74.99f, 0, 0}, 0.0f, 0.0f);
    EXPECT_EQ(primitivesOfScene(rig), trianglesOf(*detailed));
    EXPECT_NEAR(standInBrightness / meanOverCovered(), 1.0f, 0.15f) << "the stand-in sphere must look like the rock";
    world.settings.lodAlwaysLowest = true;
    place(*rock, {5, 0, 0}, 0.0f, 0.0f);
    EXPECT_EQ(primitivesOfScene(rig), trianglesOf(*low));

    // Without a low-detail model the pass neither swaps the model nor touches worldPosition.
    world.allObjects = {plain};
    place(*plain, {90, 0, 0}, 0.0f, 0.0f);
    plain->worldPosition = glm::vec3(7.0f, -7.0f, 7.0f);
    EXPECT_EQ(primitivesOfScene(rig), trianglesOf(*low));
    EXPECT_EQ(plain->worldPosition, glm::vec3(7.0f, -7.0f, 7.0f));
}

// Draw order decides what shows through the 0.3-opaque sphere: what came before it shows,
// what comes after it and lies behind it is hidden by the depth it wrote.
TEST_F(ScenePass, TranslucentSphereShowsOnlyWhatWasDrawnBeforeIt) {
    RenderRig rig;
    Model* rock = rig.sphereModel(3.0f, rig.lit);
    SceneObject* before = rig.add(rock, {30, 4, 0}, false);
    SceneObject* glass = rig.add(rig.sphereModel(10.0f, rig.glass), {15, 0, 0}, false);
    SceneObject* after = rig.add(rock, {30, -4, 0}, false);
    const glm::ivec2 beforePixel = rig.pixelOf({27, 4, 0});
    const glm::ivec2 afterPixel = rig.pixelOf({27, -4, 0});

    rig.drawScene();
    const std::vector<float> all = sceneTexels();
    world.allObjects = {glass};
    rig.drawScene();
    const std::vector<float> glassOnly = sceneTexels();
    world.allObjects = {before, glass, after};
    glDisable(GL_BLEND);
    rig.drawScene();
    const std::vector<float> opaque = sceneTexels();

    EXPECT_GT(texelAt(all, beforePixel).g, texelAt(glassOnly, beforePixel).g + 0.01f) << "earlier object hidden";
    EXPECT_EQ(texelAt(all, afterPixel), texelAt(glassOnly, afterPixel)) << "later object shows through";
    for (glm::ivec2 pixel : {beforePixel, afterPixel}) {  // over black the sphere showed 0.3 of its colour
        expectNear(0.3f * texelAt(opaque, pixel), texelAt(glassOnly, pixel), 0.002f);
    }
    EXPECT_GT(texelAt(glassOnly, centre).r, 0.02f) << "the sphere itself is visible";
}

// A self-lit sphere about 140 pixels across glows well beyond its outline with bloom on and not at
// all with it off; beyond the blur's reach, and around a lit but not self-lit sphere, bloom on and
// off give identical pixels.
TEST_F(ScenePass, OnlySelfLitObjectsGlowAndOnlyWithBloomOn) {
    RenderRig rig;
    rig.add(rig.sphereModel(5.0f, rig.glow), {40, 0, 0}, false);
    rig.add(rig.sphereModel(2.0f, rig.lit), {40, 0, -20}, false);
    const glm::ivec2 glowCentre = rig.pixelOf({40, 0, 0});
    // The outline seen from the eye: where the tangent from the eye touches the sphere.
    const int outline = rig.pixelOf({40, 40.0f * std::tan(std::asin(5.0f / 40.0f)), 0}).y - glowCentre.y;
    ASSERT_GE(2 * outline, 100);
    ASSERT_LE(2 * outline, 200);
    const glm::ivec2 outside = glowCentre + glm::ivec2(0, outline + 24);

    rig.renderFrame();
    EXPECT_TRUE(world.bloomPass.horizontal);
    EXPECT_GT(texelAt(textureTexels(world.bloomPass.pingpongTextures[0]), outside).r, 0.0f)
        << "the last blur pass wrote the texture the composite reads";
    const std::vector<unsigned char> on = readPixels(0, 0, 800, 600);
    world.settings.bloom = false;
    rig.renderFrame();
    const std::vector<unsigned char> off = readPixels(0, 0, 800, 600);

    const size_t outsideIndex = (static_cast<size_t>(outside.y) * 800 + outside.x) * 4;
    EXPECT_LT(off[outsideIndex], 8) << "no glow with bloom off";
    EXPECT_GE(on[outsideIndex], off[outsideIndex] + 0.05f * 255.0f) << "glow 24 pixels beyond the outline";
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            const size_t i = (static_cast<size_t>(y) * 800 + x) * 4;
            if (on[i] == off[i] && on[i + 1] == off[i + 1] && on[i + 2] == off[i + 2]) continue;
            EXPECT_LE(std::max(std::abs(x - glowCentre.x), std::abs(y - glowCentre.y)), outline + blurReach)
                << x << "," << y;
        }
    }
}

// Wireframe frames go straight to the window: the HDR target keeps what it held, and the lines
// carry the scene colour without tone mapping, encoded to sRGB as the composite would encode it.
TEST_F(ScenePass, WireframeDrawsStraightIntoTheWindow) {
    RenderRig rig;
    rig.add(rig.sphereModel(4.0f, rig.lit), {20, 0, 0}, false);
    rig.drawScene();
    const std::vector<float> filled = sceneTexels();

    world.settings.wireframe = true;
    setWireframe(true);
    rig.renderFrame();
    EXPECT_TRUE(sceneTexels() == filled) << "the HDR target was drawn into";
    const std::vector<unsigned char> window = readPixels(0, 0, 800, 600);
    int lines = 0;
    int gaps = 0;
    for (int y = 250; y < 350; ++y) {
        for (int x = 350; x < 450; ++x) {
            const size_t i = (static_cast<size_t>(y) * 800 + x) * 4;
            if (window[i + 1] == 0) {
                ++gaps;
                continue;
            }
            ++lines;
            const float encoded = window[i + 1] / 255.0f;
            const float decoded = encoded <= 0.04045f ? encoded / 12.92f : std::pow((encoded + 0.055f) / 1.055f, 2.4f);
            EXPECT_NEAR(255.0f * decoded, 255.0f * std::min(texelAt(filled, {x, y}).g, 1.0f), 6.0f) << x << "," << y;
        }
    }
    EXPECT_GT(lines, 100);
    EXPECT_GT(gaps, 100) << "filled instead of lines";
}
