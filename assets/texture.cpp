#include "assets/texture.h"

bool Texture::load(std::string, bool) { return false; }
void setUpSkybox(std::vector<std::string>, ShaderProgram*) {}
