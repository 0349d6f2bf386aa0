#pragma once
// Tab: the overlay's settings panel. Per technique the time of the passes it changes, a reset, its
// switches as checkboxes or buttons (each acting through its key's own press, console line
// included) and its parameters as sliders showing their defaults; then the rows of no technique.

#include <cstddef>

#include "render/pass_timer.h"

// What a switch costs or does now, beside its state ("  (blur 6.02 ms)"); empty for most keys.
void describeCost(int key, const double (&passMs)[renderPassCount], char* text, size_t size);
// Draws the panel's rows into the current ImGui window: keys' names end at column, sliders are as
// wide as fontScale times their base width; passMs are the passes' latest times.
void drawSettingsPanel(float column, int fontScale, const double (&passMs)[renderPassCount]);
