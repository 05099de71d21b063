#include "preview_pixels.h"

#include <cstdio>

#include "tile.h"

namespace {

constexpr int kChannels = 3;

Rgb pixel_at(const Picture& picture, int x, int y) {
    const uint8_t* p =
        picture.rgb.data() + (static_cast<size_t>(y) * picture.width + x) * kChannels;
    return Rgb{p[0], p[1], p[2]};
}

}  // namespace

bool read_preview_pixels(const Picture& picture, Rgb* tile, int* scale, std::string* fault) {
    const int k = picture.width / kTileSide;
    if (k < 1 || picture.width != picture.height || picture.width != k * kTileSide) {
        *fault = "a design picture is 32 x 32 pixels, or 32k x 32k of k x k blocks, not " +
                 std::to_string(picture.width) + " x " + std::to_string(picture.height);
        return false;
    }
    if (picture.translucent) {
        *fault = "a pixel is not fully opaque";
        return false;
    }
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb colour = pixel_at(picture, x, y);
            Rgb& pixel = tile[y / k * kTileSide + x / k];
            if (x % k == 0 && y % k == 0) {
                pixel = colour;
            } else if (!(colour == pixel)) {
                char text[128];
                std::snprintf(text, sizeof text,
                              "the %d x %d block at (%d, %d) is not of one colour: pixel "
                              "(%d, %d) differs",
                              k, k, x / k * k, y / k * k, x, y);
                *fault = text;
                return false;
            }
        }
    }
    *scale = k;
    return true;
}
