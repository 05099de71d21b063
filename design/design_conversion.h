// Converting one 32 x 32 design of a picture into a design record.
#pragma once

#include <cstdint>

#include "tile.h"

enum class Quantizer { merge, median_cut };

// Reads design (column, row) in tile order from 24-bit blue-green-red rows
// stored bottom-up with a stride of 3 * width, as a positive-height DIB holds them.
// The design must lie inside the picture (width and height multiples of 32).
void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile);

// Per-pixel source: returns the colour at (x, y) in GetPixel order, red in the
// lowest byte, then green, then blue.
using PixelReader = uint32_t (*)(void* context, int x, int y);

// Reads design (column, row) in tile order through `read`. Pixels outside the
// width x height source are never asked for; they read as white.
void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height,
                                 int column, int row, Rgb* tile);

// Quantises the tile and writes all 620 bytes of the design record.
void convert_tile_to_record(const Rgb* tile, Quantizer quantizer, uint8_t* record);
