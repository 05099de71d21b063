// Reading the 1024 pixels of one design, in tile order, from a picture.
// Design (column, row) covers picture pixels X = 32 * column + x and
// Y = 32 * row + y, Y counted from the top. Picture pixels outside the
// width x height source are never read; they come out white.
#pragma once

#include <cstdint>
#include <functional>

#include "tile.h"

inline constexpr Rgb kOutsideSource = {255, 255, 255};

// How the libraries that take a whole grid (export/, mural/) read it from
// whoever holds the picture, and report how far they are. The core itself never
// calls or stores either.
// Fills `tile` with the pixels of design (column, row), counted from 0 at the top left.
using TileReader = std::function<void(int column, int row, Rgb* tile)>;
// Called on the calling thread with (done, total), in counts each user says;
// returning false cancels.
using GridProgress = std::function<bool(int done, int total)>;

// Visits the design's pixels in tile order: read_pixel(X, Y) returns the Rgb of
// a picture pixel and is called only for pixels inside width x height.
// Coordinates are 64-bit so that no design index can overflow them.
template <typename ReadPixel>
void read_tile_pixels(int width, int height, int column, int row, ReadPixel read_pixel, Rgb* tile) {
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int64_t px = int64_t{kTileSide} * column + x;
            const int64_t py = int64_t{kTileSide} * row + y;
            const bool inside = px >= 0 && py >= 0 && px < width && py < height;
            tile[y * kTileSide + x] = inside ? read_pixel(px, py) : kOutsideSource;
        }
    }
}
