#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "assets/model.h"
#include "game/world.h"
#include "render/scene.h"
#include "tests/support/asset_files.h"
#include "tests/support/gl_context.h"

namespace {
class ModelLoad : public ::testing::Test {
protected:
    void SetUp() override {
        sharedGlContext();
        world = World{};
    }
    void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
    // Writes a Collada file of the given meshes, one material per texture name, and returns its path.
    std::string model(const std::string& name, std::vector<aiMesh*> meshes, std::vector<std::string> textures) {
        EXPECT_TRUE(writeCollada(*makeScene(meshes, textures), dir + name));
        return dir + name;
    }
    const std::string dir = scratchDirectory();
};

GLint attribute(GLuint index, GLenum name) {
    GLint value = 0;
    glGetVertexAttribiv(index, name, &value);
    return value;
}

size_t attributeOffset(GLuint index) {
    void* pointer = nullptr;
    glGetVertexAttribPointerv(index, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);
    return reinterpret_cast<size_t>(pointer);
}
}  // namespace

TEST_F(ModelLoad, FilesFollowEachOtherInOneUploadedBuffer) {
    Model two(glm::mat4(1.0f));
    Model one(glm::mat4(1.0f));
    ASSERT_TRUE(two.load(model("two.dae", {triangleMesh(12, 0), triangleMesh(36, 1)}, {"", ""}).c_str()));
    ASSERT_TRUE(one.load(model("one.dae", {triangleMesh(1, 0)}, {""}).c_str()));
    EXPECT_EQ(two.meshFirstVertex, (std::vector<int32_t>{0, 36}));
    EXPECT_EQ(two.meshVertexCount, (std::vector<int32_t>{36, 108}));
    EXPECT_EQ(one.meshFirstVertex, (std::vector<int32_t>{144}));
    EXPECT_EQ(two.materialCount, 2);
    EXPECT_TRUE(two.hasGeometry && one.hasGeometry);

    uploadSharedVertices();
    EXPECT_TRUE(world.sharedVertices.data.empty());
    EXPECT_EQ(world.sharedVertices.byteCount, 147 * 32);
    GLint bound = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), world.sharedVertexArray);
    GLint size = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, 147 * 32);
    // Vertex 37 is corner 1 of the second mesh; the file has neither normals nor texture coordinates.
    float vertex[8] = {};
    glGetBufferSubData(GL_ARRAY_BUFFER, 37 * 32, sizeof(vertex), vertex);
    EXPECT_EQ(std::vector<float>(vertex, vertex + 8), (std::vector<float>{1, 1, 1, 1, 1, 1, 1, 1}));
    const GLint sizes[3] = {3, 2, 3};
    const size_t offsets[3] = {0, 12, 20};
    for (GLuint i = 0; i < 3; ++i) {
        EXPECT_EQ(attribute(i, GL_VERTEX_ATTRIB_ARRAY_ENABLED), GL_TRUE);
        EXPECT_EQ(attribute(i, GL_VERTEX_ATTRIB_ARRAY_SIZE), sizes[i]);
        EXPECT_EQ(attribute(i, GL_VERTEX_ATTRIB_ARRAY_STRIDE), 32);
        EXPECT_EQ(attribute(i, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED), GL_FALSE);
        EXPECT_EQ(static_cast<GLuint>(attribute(i, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING)),
                  world.sharedVertices.bufferId);
        EXPECT_EQ(attributeOffset(i), offsets[i]);
    }
}

TEST_F(ModelLoad, MaterialsShareTexturesByExactPath) {
    for (const char* name : {"Tex.png", "tex.png", "sub/t.png", "sub\\t.png"}) {
        mkdir((dir + "sub").c_str(), 0700);
        ASSERT_TRUE(writeImage(dir + name, FIF_PNG, 3, 2, 24, testPicture));
    }
    FIBITMAP* deep = FreeImage_AllocateT(FIT_UINT16, 2, 2, 16);
    ASSERT_TRUE(FreeImage_Save(FIF_PNG, deep, (dir + "deep.png").c_str(), 0));
    FreeImage_Unload(deep);
    const std::vector<std::string> textures{"missing.png", "Tex.png", "", "tex.png", "Tex.png",
                                            "sub/t.png", "sub\\t.png", "deep.png"};
    std::vector<aiMesh*> meshes;
    for (unsigned m = 0; m < textures.size(); ++m) meshes.push_back(triangleMesh(1, m));
    Model first(glm::mat4(1.0f));
    ASSERT_TRUE(first.load(model("textured.dae", meshes, textures).c_str()));
    EXPECT_EQ(first.meshTexture, (std::vector<int32_t>{0, 0, 0, 1, 0, 2, 3, 4}));
    std::vector<std::string> paths;
    for (const Texture& texture : world.textureList) paths.push_back(texture.path);
    EXPECT_EQ(paths, (std::vector<std::string>{dir + "Tex.png", dir + "tex.png", dir + "sub/t.png",
                                               dir + "sub\\t.png", dir + "deep.png"}));
    EXPECT_EQ(world.textureList.back().bitsPerPixel, 16);

    Model again(glm::mat4(1.0f));
    ASSERT_TRUE(again.load(model("again.dae", {triangleMesh(1, 0)}, {"tex.png"}).c_str()));
    EXPECT_EQ(again.meshTexture, (std::vector<int32_t>{1}));
    EXPECT_EQ(world.textureList.size(), 5u);
}

TEST_F(ModelLoad, MissingTextureBindsNoTexture) {
    Model lone(glm::mat4(1.0f));
    ASSERT_TRUE(lone.load(model("lone.dae", {triangleMesh(1, 0)}, {"missing.png"}).c_str()));
    EXPECT_EQ(lone.meshTexture, (std::vector<int32_t>{0}));
    EXPECT_TRUE(world.textureList.empty());
    GLuint stale = 0;
    glGenTextures(1, &stale);
    glBindTexture(GL_TEXTURE_2D, stale);
    bindMeshTexture(lone, 0);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
}

TEST_F(ModelLoad, SharedGeometryAndRecenteringStayApart) {
    aiMesh* mesh = triangleMesh(1, 0);  // (0, 0, 0), (1, 0, 1), (2, 0, 0): centre (1, 0, 1/3)
    Model source(glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    ASSERT_TRUE(source.load(model("one.dae", {mesh}, {""}).c_str()));
    const glm::vec3 center = source.center;
    EXPECT_EQ(center, glm::vec3(1.0f, 0.0f, 1.0f / 3.0f));
    EXPECT_EQ(source.farthestVertex, glm::vec3(0, 0, 0));

    const glm::mat4 shifted = glm::translate(glm::mat4(1.0f), -center);
    Model copy(shifted);
    ShaderProgram* program = reinterpret_cast<ShaderProgram*>(&copy);
    copy.program = program;
    copy.modelLocation = 7;
    const int32_t bytes = world.sharedVertices.byteCount;
    ASSERT_TRUE(copy.shareGeometry(source));
    EXPECT_EQ(world.sharedVertices.byteCount, bytes);
    EXPECT_TRUE(copy.hasGeometry);
    EXPECT_EQ(copy.center, center);
    EXPECT_EQ(copy.meshFirstVertex, source.meshFirstVertex);
    EXPECT_EQ(copy.meshVertexCount, source.meshVertexCount);
    EXPECT_EQ(copy.meshTexture, source.meshTexture);
    EXPECT_EQ(copy.materialCount, 1);
    EXPECT_TRUE(copy.program == program && copy.modelLocation == 7 && copy.modelMatrix == shifted);

    source.recenter();
    copy.recenter();  // its matrix already puts the centre on the origin
    const glm::vec4 origin = source.modelMatrix * glm::vec4(center, 1.0f);
    EXPECT_NEAR(glm::length(glm::vec3(origin)), 0.0f, 1e-6f);
    EXPECT_EQ(source.modelMatrix, glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)) * shifted);
    EXPECT_EQ(copy.modelMatrix, shifted);
    EXPECT_EQ(copy.center, center);
}

TEST_F(ModelLoad, BadFilesAreSilentlyAbsent) {
    truncateFile(model("good.dae", {triangleMesh(12, 0)}, {""}), dir + "truncated.dae");
    writeBytes(dir + "empty.dae", "");
    writeBytes(dir + "garbage.dae", "\x01\xff<?xml\0\0 not a model");
    for (const char* name : {"missing.dae", "empty.dae", "garbage.dae"}) {
        Model broken(glm::mat4(1.0f));
        EXPECT_FALSE(broken.load((dir + name).c_str())) << name;
        EXPECT_FALSE(broken.hasGeometry) << name;
        EXPECT_TRUE(broken.meshFirstVertex.empty() && broken.meshTexture.empty()) << name;
    }
    EXPECT_NE(world.sharedVertices.bufferId, 0u);
    EXPECT_EQ(world.sharedVertices.byteCount, 0);
    // Assimp may salvage the front of a cut file; whatever it keeps must lie inside the staged buffer.
    Model cut(glm::mat4(1.0f));
    EXPECT_EQ(cut.load((dir + "truncated.dae").c_str()), cut.hasGeometry);
    for (size_t m = 0; m < cut.meshFirstVertex.size(); ++m) {
        EXPECT_LE((cut.meshFirstVertex[m] + cut.meshVertexCount[m]) * 32, world.sharedVertices.byteCount);
    }
    EXPECT_EQ(world.sharedVertices.data.size() * 4, static_cast<size_t>(world.sharedVertices.byteCount));
}
