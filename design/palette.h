// The fixed palette of 159 colours and the search for the nearest of them.
#pragma once

#include <array>
#include <cstdint>

#include "rgb.h"

inline constexpr int kHueGroupCount = 16;
inline constexpr int kShadeCount = 9;
inline constexpr int kGreyCount = 15;
inline constexpr int kPaletteSize = kHueGroupCount * kShadeCount + kGreyCount;  // 159

// A palette code: high hexadecimal digit the hue group 0-15 and low digit the
// shade 0-8, or a grey with low digit F and high digit 0 (white) to 14 (black).
struct PaletteEntry {
    uint8_t code;
    Rgb colour;
};

// In search order: hue groups 0 to 15, shades 0 to 8 within each, then the greys
// 0x0F to 0xEF. The order decides ties. No two entries share a colour.
extern const std::array<PaletteEntry, kPaletteSize> kFixedPalette;

// The code of the nearest entry; the earliest entry in search order wins ties.
uint8_t nearest_palette_code(Rgb colour);

// The colour named by code. Returns 0, or -1 (colour untouched) if no entry has that code.
int palette_colour(uint8_t code, Rgb* colour);

// The position of code in search order (the index into kFixedPalette), or -1 if
// no entry has that code.
int palette_index(uint8_t code);
