#include "game/game_over.h"

bool isGameOver() { return false; }
bool hasEscaped() { return false; }
void restartGame() {}
