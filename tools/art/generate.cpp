#include "art/generate.h"

#include "art/bodies.h"
#include "art/files.h"
#include "art/ships.h"
#include "art/sky.h"
#include "art/textures.h"

namespace {

// File names the game opens, in OpenGL's cube-face order.
constexpr const char* kSkyFaceFiles[kCubeFaceCount] = {"Skybox_right.png", "Skybox_left.png", "Skybox_down.png",
                                                       "Skybox_up.png",    "Skybox_back.png", "Skybox_front.png"};

constexpr int kSkyFaceSize = 512;

// Long narrow panels with a striped band for the player; square panels with vents for enemies.
constexpr HullStyle kCraftHull{64, 32, 5, true, false};
constexpr HullStyle kEnemyHull{64, 64, 9, false, true};

bool writeTexturedModel(const std::string& directory, const std::string& name, const Mesh& mesh,
                        const Image& texture) {
    const std::string textureName = name + "_diffuse.png";
    return writePng(texture, directory + "/" + textureName) &&
           writeColladaModel(mesh, name, textureName, directory + "/" + name + ".dae");
}

}  // namespace

bool generateArt(const std::string& directory) {
    bool ok = writeTexturedModel(directory, "scythe2", craftMesh(), hullTexture(kCraftHull));
    ok = writeTexturedModel(directory, "shipmesh", enemyMesh(), hullTexture(kEnemyHull)) && ok;
    ok = writeTexturedModel(directory, "sphere", unitSphereMesh(), sphereTexture()) && ok;
    ok = writeTexturedModel(directory, "planet", planetMesh(), planetTexture()) && ok;
    ok = writeTexturedModel(directory, "asteroid", asteroidMesh(), rockTexture()) && ok;
    const auto faces = skyFaces(kSkyFaceSize);
    for (int face = 0; face < kCubeFaceCount; ++face)
        ok = writePng(faces[face], directory + "/" + kSkyFaceFiles[face]) && ok;
    return ok;
}
