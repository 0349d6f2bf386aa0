#include "game/flight.h"

void flyPlayer(GLFWwindow*, float) {}
