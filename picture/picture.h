// A picture in the order people think of pixels: what the reader makes of any
// picture file and what the writers and the fit take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tile.h"

struct Picture {
    int width = 0;
    int height = 0;
    // height rows of 3 * width bytes, the top row of the picture first; each pixel
    // red, green, blue.
    std::vector<uint8_t> rgb;
    // Set by the reader when a pixel of the file was not fully opaque (a PNG's
    // alpha or tRNS); rgb holds its colour without the alpha.
    bool translucent = false;
};

// Design (column, row) of the picture in tile order: picture pixel
// (32 * column + x, 32 * row + y); pixels beyond the picture come out white.
void read_picture_tile(const Picture& picture, int column, int row, Rgb* tile);

// The picture as a positive-height 24-bit DIB holds it, the layout that
// sample_screenshot reads and Windows draws: blue-green-red rows stored
// bottom-up, `stride` bytes apart (at least 3 * width; padding left as it is).
void write_bottom_up_bgr_rows(const Picture& picture, size_t stride, uint8_t* rows);
