// Assigning a pixel to one of the colour slots of its design.
#pragma once

#include "colour_slots.h"
#include "tile.h"

// The index (0 to 14) of the slot whose colour is nearest to pixel, searching all
// 15 slots, unfilled ones included with their (0, 0, 0); the lowest index wins ties.
int nearest_slot(Rgb pixel, const ColourSlots& slots);
