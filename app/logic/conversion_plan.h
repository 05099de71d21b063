// Where convert_current_design reads the current design from, and with which quantiser.
#pragma once

#include <cstdint>

#include "design_conversion.h"
#include "shell_state.h"

// Size of a loaded picture; {0, 0} when there is none.
struct PictureSize {
    int width;
    int height;
};

// A design that reaches past its source (a capture grid while the median cut
// reads the file image) reads white there; nothing outside the source is read.
enum class TileSource {
    none,            // nothing to read from: the conversion leaves everything as it is
    file_image,      // the 24-bit bottom-up rows of the file image
    capture_bitmap,  // the captured region, pixel by pixel
};

struct ConversionPlan {
    TileSource source;
    Reduction reduction;
};

// The median-cut flag reads the file image with the median cut even when a
// capture exists; otherwise a capture wins over the file image and the
// reduction chosen in the menu runs (dither at full strength).
ConversionPlan plan_conversion(const ShellState& state, bool capture_present,
                               PictureSize file_image);

// Design (column, row) from the file image: 24-bit blue-green-red rows stored
// bottom-up with a stride of 3 * width, as its DIB section holds them (the width,
// a multiple of 32, keeps rows unpadded): pixel (X, Y) starts at byte
// 3 * ((height - 1 - Y) * width + X).
void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile);

// Design (column, row) from the capture, pixel by pixel: `read` returns the
// colour at (x, y) in GetPixel order, red in the lowest byte, then green, then blue.
using PixelReader = uint32_t (*)(void* context, int x, int y);
void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height, int column,
                                 int row, Rgb* tile);
