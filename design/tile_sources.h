// Reading the 1024 pixels of one design, in tile order, from a picture.
// Design (column, row) covers picture pixels X = 32 * column + x and
// Y = 32 * row + y, Y counted from the top. Picture pixels outside the
// width x height source are never read; they come out white.
#pragma once

#include <cstdint>

#include "tile.h"

inline constexpr Rgb kOutsideSource = {255, 255, 255};

// From 24-bit blue-green-red rows stored bottom-up with a stride of 3 * width, as
// a positive-height DIB holds them (width a multiple of 4 keeps rows unpadded):
// the pixel at (X, Y) starts at byte 3 * ((height - 1 - Y) * width + X).
void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile);

// Per-pixel source: returns the colour at (x, y) in GetPixel order, red in the
// lowest byte, then green, then blue.
using PixelReader = uint32_t (*)(void* context, int x, int y);

// Reads design (column, row) in tile order through `read`.
void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height, int column,
                                 int row, Rgb* tile);
