// Where the main window draws, in client pixels.
#pragma once

#include "qr_profile.h"

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
