// The lit programs' uniforms and the omnidirectional shadow map, read back from GL.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/render_rig.h"

namespace {
// A float uniform's components as a program holds them.
glm::vec3 uniform(const ShaderProgram* program, const char* name) {
    const GLint location = glGetUniformLocation(program->programId, name);
    EXPECT_NE(location, -1) << name;
    GLfloat value[4] = {-99.0f, -99.0f, -99.0f, -99.0f};
    glGetUniformfv(program->programId, location, value);
    return glm::vec3(value[0], value[1], value[2]);
}

// The nearest distance stored on one cube face, in world units.
float nearestOnFace(int face) {
    std::vector<float> depths(1024 * 1024);
    glBindTexture(GL_TEXTURE_CUBE_MAP, world.depthCubeMap);
    glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
    return *std::min_element(depths.begin(), depths.end()) * shadowFarPlane;
}

class Lighting : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};
}  // namespace

TEST_F(Lighting, ProgramsHoldTheirLightMaterialOpacityAndEye) {
    RenderRig rig;
    rig.lookAt(glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(10.0f, 2.0f, 3.0f));
    ShaderProgram* ship = rig.own(createSpecularProgram(world.light, world.shipMaterial, 0.3f));
    ShaderProgram* planet = rig.own(createFlatProgram());

    const Light& light = world.light;
    const Material& material = world.shipMaterial;
    const std::pair<const char*, glm::vec3> expected[] = {
        {"light.position", light.position},     {"light.ambient", light.ambient},
        {"light.diffuse", light.diffuse},       {"light.specular", light.specular},
        {"material.ambient", material.ambient}, {"material.diffuse", material.diffuse},
        {"material.specular", material.specular}};
    for (const auto& [name, value] : expected) EXPECT_EQ(uniform(ship, name), value) << name;
    EXPECT_EQ(uniform(ship, "material.shininess").x, material.shininess);
    EXPECT_EQ(uniform(ship, "alpha").x, 0.3f);
    EXPECT_EQ(uniform(ship, "viewPosition"), glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(uniform(rig.glow, "light.ambient"), glm::vec3(1.0f)) << "the glow's ambient-only light";
    EXPECT_EQ(uniform(rig.glow, "light.diffuse"), glm::vec3(0.0f));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(uniform(planet, expected[i].first), expected[i].second);
    EXPECT_EQ(uniform(planet, "viewPosition"), glm::vec3(0.0f)) << "no eye before the first frame";

    world.specularPrograms[3] = ship;
    world.flatPrograms.push_back(planet);
    ASSERT_EQ(world.specularProgramCount, 4);
    updateViewPositions(glm::vec3(4.0f, -5.0f, 6.5f));
    for (int i = 0; i < world.specularProgramCount; ++i) {
        EXPECT_EQ(uniform(world.specularPrograms[i], "viewPosition"), glm::vec3(4.0f, -5.0f, 6.5f)) << i;
    }
    EXPECT_EQ(uniform(planet, "viewPosition"), glm::vec3(4.0f, -5.0f, 6.5f));
}

// With the light at (-10, 5, 3), a caster 60 units along +X lands in face 0 only, one 47 units
// along +Z in face 4 only, each at its distance; an object that only is drawn casts nothing.
TEST_F(Lighting, CastersLandInTheirCubeFaceAtTheirDistance) {
    RenderRig rig;
    Model* rock = rig.sphereModel(2.0f, rig.lit);
    struct Case {
        glm::vec3 position;
        int face;
        float nearest;
    };
    for (const Case& c : {Case{{50, 5, 3}, 0, 58.0f}, Case{{-10, 5, 50}, 4, 45.0f}}) {
        world.shadowCasters.clear();
        rig.add(rock, c.position, true);
        rig.add(rock, {-10, 5, -50}, false);  // in face 5
        renderShadowPass(rig.shadowMap.framebuffer);
        for (int face = 0; face < 6; ++face) {
            const bool hit = face == c.face;
            EXPECT_NEAR(nearestOnFace(face), hit ? c.nearest : shadowFarPlane, hit ? 0.1f : 0.0f) << face << c.face;
        }
    }
    EXPECT_EQ(world.shadowWidth, 1024);
}

// An occluder between the light and a receiver darkens the receiver's lit face right behind it,
// and nothing else in the picture; without the occluder, the lit face shows no self-shadowing.
TEST_F(Lighting, OccluderShadowsTheReceiverOnlyBehindIt) {
    RenderRig rig;
    SceneObject* receiver = rig.add(rig.sphereModel(10.0f, rig.lit), {40, 5, 3}, true);
    // Drawn nowhere, cast only, so two pictures differ only by its shadow.
    auto occluder = std::make_unique<SceneObject>(rig.sphereModel(2.0f, rig.lit), true);
    place(*occluder, {15, 5, 3}, 0.0f, 0.0f);
    rig.lookAt({-5, 25, 30}, {32, 5, 3});

    world.shadowCasters = {};
    rig.drawScene();
    const std::vector<float> unshadowed = textureTexels(world.bloomPass.hdrColorBuffers[0]);
    world.shadowCasters = {receiver};
    rig.drawScene();
    const std::vector<float> selfShadowed = textureTexels(world.bloomPass.hdrColorBuffers[0]);
    world.shadowCasters = {receiver, occluder.get()};
    rig.drawScene();
    const std::vector<float> shadowed = textureTexels(world.bloomPass.hdrColorBuffers[0]);

    const glm::ivec2 behind = rig.pixelOf({30.2f, 5, 3});   // on the receiver, straight behind the occluder
    const glm::ivec2 aside = rig.pixelOf({34.0f, 13, 3});   // lit face, clear of the occluder's shadow
    const glm::ivec2 facing = rig.pixelOf({30.6f, 8, 6});   // lit face, beside the shadow
    EXPECT_GT(texelAt(unshadowed, behind).g, 0.1f);
    EXPECT_LT(texelAt(shadowed, behind).g, 0.25f * texelAt(unshadowed, behind).g);
    for (glm::ivec2 pixel : {behind, aside, facing}) {
        EXPECT_EQ(texelAt(selfShadowed, pixel), texelAt(unshadowed, pixel)) << "acne at " << pixel.x << "," << pixel.y;
    }
    EXPECT_EQ(texelAt(shadowed, aside), texelAt(unshadowed, aside));

    // The shadow of a 2-unit sphere 25 units from the light on a face 40 units away is about
    // 3.2 units across; every changed pixel lies within its projected reach.
    const float reach = glm::length(glm::vec2(rig.pixelOf({30.2f, 9.5f, 3}) - behind)) + 3.0f;
    int changed = 0;
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (texelAt(shadowed, {x, y}) == texelAt(selfShadowed, {x, y})) continue;
            ++changed;
            EXPECT_LE(glm::length(glm::vec2(glm::ivec2(x, y) - behind)), reach) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 20);
}
