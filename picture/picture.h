// A picture in the order people think of pixels: what the reader makes of any
// picture file and what the writers and the fit take.
#pragma once

#include <cstdint>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    // height rows of 3 * width bytes, the top row of the picture first; each pixel
    // red, green, blue.
    std::vector<uint8_t> rgb;
};

// The picture as 24-bit blue-green-red rows stored bottom-up with a stride of
// 3 * width and no padding: the layout read_tile_from_dib_rows reads.
std::vector<uint8_t> bottom_up_bgr_rows(const Picture& image);
