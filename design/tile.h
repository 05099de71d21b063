// A design's pixels: 32 x 32 in tile order.
#pragma once

#include "rgb.h"

inline constexpr int kTileSide = 32;
inline constexpr int kTilePixels = kTileSide * kTileSide;  // 1024, tile order: 32 * y + x
