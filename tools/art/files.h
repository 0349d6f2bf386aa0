#pragma once
// Writing the art to disk: models through Assimp's Collada exporter, images through FreeImage.

#include <string>

#include "art/image.h"
#include "art/mesh.h"

// One mesh with one material whose diffuse texture is `textureName`, a file name relative to
// the model's own file. Timestamps are fixed so that the same mesh always gives the same bytes.
bool writeColladaModel(const Mesh& mesh, const std::string& name, const std::string& textureName,
                       const std::string& path);

// A 24-bit PNG.
bool writePng(const Image& image, const std::string& path);
