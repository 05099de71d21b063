#include "tile_sources.h"

void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height, int column,
                                 int row, Rgb* tile) {
    read_tile_pixels(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint32_t value = read(context, static_cast<int>(px), static_cast<int>(py));
            return Rgb{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16)};
        },
        tile);
}
