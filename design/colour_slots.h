// The colours a design is reduced to.
#pragma once

#include "rgb.h"

inline constexpr int kSlotCount = 15;

// The colours of one design: slots 0..count-1 filled, the rest (0, 0, 0).
struct ColourSlots {
    Rgb colour[kSlotCount];
    int count;
};
