#include "picture.h"

#include <cstddef>

#include "tile_sources.h"

void read_picture_tile(const Picture& picture, int column, int row, Rgb* tile) {
    read_tile_pixels(
        picture.width, picture.height, column, row,
        [&](int64_t px, int64_t py) {
            const uint8_t* rgb = picture.rgb.data() + 3 * (py * picture.width + px);
            return Rgb{rgb[0], rgb[1], rgb[2]};
        },
        tile);
}

void write_bottom_up_bgr_rows(const Picture& picture, size_t stride, uint8_t* rows) {
    const size_t row_bytes = size_t{3} * static_cast<size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.rgb.data() + row_bytes * static_cast<size_t>(y);
        uint8_t* out = rows + stride * static_cast<size_t>(picture.height - 1 - y);
        for (size_t p = 0; p < row_bytes; p += 3) {
            out[p] = in[p + 2];
            out[p + 1] = in[p + 1];
            out[p + 2] = in[p];
        }
    }
}
