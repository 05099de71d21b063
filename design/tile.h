#pragma once

#include "rgb.h"

inline constexpr int kTileSide = 32;
inline constexpr int kTilePixels = kTileSide * kTileSide;  // 1024, tile order: 32 * y + x
inline constexpr int kSlotCount = 15;

// The colours of one design: slots 0..count-1 filled, the rest (0, 0, 0).
struct ColourSlots {
    Rgb colour[kSlotCount];
    int count;
};
