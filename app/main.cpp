#include "app/game_loop.h"

int main(int argc, char** argv) { return runGame(parseGameOptions(argc, argv)); }
