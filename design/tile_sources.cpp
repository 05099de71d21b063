#include "tile_sources.h"

namespace {

// Visits the design's pixels in tile order; read_pixel(X, Y) is called only for
// picture pixels inside width x height. Coordinates are 64-bit so that no design
// index can overflow them.
template <typename ReadPixel>
void read_tile(int width, int height, int column, int row, ReadPixel read_pixel, Rgb* tile) {
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int64_t px = int64_t{kTileSide} * column + x;
            const int64_t py = int64_t{kTileSide} * row + y;
            const bool inside = px >= 0 && py >= 0 && px < width && py < height;
            tile[y * kTileSide + x] = inside ? read_pixel(px, py) : kOutsideSource;
        }
    }
}

}  // namespace

void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile) {
    read_tile(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint8_t* bgr = bits + 3 * ((height - 1 - py) * width + px);
            return Rgb{bgr[2], bgr[1], bgr[0]};
        },
        tile);
}

void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height, int column,
                                 int row, Rgb* tile) {
    read_tile(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint32_t value = read(context, static_cast<int>(px), static_cast<int>(py));
            return Rgb{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16)};
        },
        tile);
}
