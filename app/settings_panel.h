#pragma once
// Tab: the overlay's settings panel. Per technique the time of the passes it changes, a reset, its
// switches as checkboxes or buttons (each acting through its key's own press, console line
// included) and its parameters as sliders showing their defaults; then the rows of no technique.

#include <cstddef>

#include "game/techniques.h"
#include "render/pass_timer.h"

// What a switch costs or does now ("  (blur 6.02 ms)"), drawn beside its state where it fits in the
// panel's width, else on the next line from column; nothing for most switches.
void drawSwitchCost(const Setting& setting, const double (&passMs)[renderPassCount], float column);
// Draws the panel's rows into the current ImGui window: keys' names end at column, sliders are as
// wide as fontScale times their base width; passMs are the passes' latest times.
void drawSettingsPanel(float column, int fontScale, const double (&passMs)[renderPassCount]);
