// Writes the game's models, textures and sky faces into the directory given as the argument.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "art/generate.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error || !generateArt(argv[1])) {
        std::fprintf(stderr, "generate_art: could not write the art into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
