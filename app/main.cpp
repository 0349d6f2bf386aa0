#include <iostream>

#include "app/game_loop.h"

int main(int argc, char** argv) {
    const CommandLine line = parseCommandLine(argc, argv, std::cout, std::cerr);
    return line.runGame ? runGame(line.options) : line.exitStatus;
}
