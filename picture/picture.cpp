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

std::vector<uint8_t> screenshot_bottom_up_bgr_rows(const Picture& image) {
    const size_t row_bytes = size_t{3} * static_cast<size_t>(image.width);
    std::vector<uint8_t> rows(row_bytes * static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const uint8_t* in = image.rgb.data() + row_bytes * static_cast<size_t>(y);
        uint8_t* out = rows.data() + row_bytes * static_cast<size_t>(image.height - 1 - y);
        for (size_t p = 0; p < row_bytes; p += 3) {
            out[p] = in[p + 2];
            out[p + 1] = in[p + 1];
            out[p + 2] = in[p];
        }
    }
    return rows;
}
