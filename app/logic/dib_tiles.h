// Reading a design from the window's file image: 24-bit blue-green-red rows
// stored bottom-up, as a positive-height DIB section holds them.
#pragma once

#include <cstdint>

#include "tile_sources.h"

// Rows with a stride of 3 * width (width a multiple of 4 keeps rows unpadded):
// the pixel at (X, Y) starts at byte 3 * ((height - 1 - Y) * width + X).
void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile);
