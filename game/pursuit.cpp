#include "game/pursuit.h"

void pursuePlayer(float) {}
