#include "app/game_loop.h"

int main() { return runGame(); }
