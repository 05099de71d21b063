#include "dib_tiles.h"

void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile) {
    read_tile_pixels(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint8_t* bgr = bits + 3 * ((height - 1 - py) * width + px);
            return Rgb{bgr[2], bgr[1], bgr[0]};
        },
        tile);
}
