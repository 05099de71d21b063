#include "picture.h"

#include <cstddef>

std::vector<uint8_t> bottom_up_bgr_rows(const Picture& image) {
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
