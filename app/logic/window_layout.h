// Where the main window draws, in client pixels.
#pragma once

#include "qr_profile.h"
#include "colour_slots.h"
#include "tile.h"

inline constexpr int kMainWindowWidth = 400;  // outer size
inline constexpr int kMainWindowHeight = 360;

inline constexpr int kHeadingX = 0;
inline constexpr int kHeadingY = 0;
inline constexpr int kCounterX = 0;
inline constexpr int kCounterY = 24;

// The symbol: one module is a filled square of 2 x 2 pixels, top-left module
// at (40, 80), no quiet zone drawn; it covers x 40..225 and y 80..265.
inline constexpr int kSymbolX = 40;
inline constexpr int kSymbolY = 80;
inline constexpr int kModulePixels = 2;
inline constexpr int kSymbolPixels = kQrSide * kModulePixels;  // 186

// The preview of the shown design, right of the symbol: the symbol and a white
// ring of 4 pixels around it stay untouched, and the preview keeps 4 more
// pixels clear of the ring. One design pixel is a square of 4 x 4 screen
// pixels; under it, a row of one swatch per colour slot in use.
inline constexpr int kSymbolRingPixels = 4;
inline constexpr int kPreviewGapPixels = 4;
inline constexpr int kPreviewX = kSymbolX + kSymbolPixels + kSymbolRingPixels + kPreviewGapPixels;
inline constexpr int kPreviewY = kSymbolY;
inline constexpr int kPreviewPixelScale = 4;
inline constexpr int kPreviewDesignSide = kTileSide * kPreviewPixelScale;  // 128
inline constexpr int kSwatchRowY = kPreviewY + kPreviewDesignSide + 8;
inline constexpr int kSwatchWidth = 8;
inline constexpr int kSwatchHeight = 16;
inline constexpr int kPreviewWidth = kPreviewDesignSide;
inline constexpr int kPreviewHeight = kSwatchRowY + kSwatchHeight - kPreviewY;
static_assert(kPreviewX == 234);
static_assert(kSlotCount * kSwatchWidth <= kPreviewWidth);
