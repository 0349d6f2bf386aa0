#include "app/game_options.h"

#include <cstring>

GameOptions parseGameOptions(int argc, char** argv) {
    GameOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pass-times") == 0) options.passTimes = true;
        if (std::strcmp(argv[i], "--reference") == 0) options.referenceFrames = true;
    }
    return options;
}
