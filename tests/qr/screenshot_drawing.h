// 400 x 240 bottom-up screenshots with a symbol drawn in, for the decoder tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "decoder.h"
#include "qr_profile.h"
#include "screenshot_layout.h"
#include "symbol_buffers.h"

using Screenshot = std::vector<uint8_t>;

inline constexpr uint8_t kWhite = 0xFF;
inline constexpr uint8_t kBlack = 0x00;

inline Screenshot blank_screenshot(uint8_t fill = kWhite) {
    return Screenshot(kScreenshotBytes, fill);
}

inline void set_pixel(Screenshot& picture, int x, int y, uint8_t blue, uint8_t green, uint8_t red) {
    uint8_t* p = picture.data() + screenshot_pixel_offset(x, y);
    p[0] = blue;
    p[1] = green;
    p[2] = red;
}

// Draws a size x size symbol at 2 x 2 pixels per module, its top-left module at
// pixel (left, top); dark(row, column) gives each module. Pixels that would
// fall outside the picture are left out.
template <class DarkModule>
void draw_symbol(Screenshot& picture, int size, DarkModule dark, int left = kSymbolLeft,
                 int top = kSymbolTop) {
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            const uint8_t v = dark(row, column) ? kBlack : kWhite;
            for (int dy = 0; dy < kPixelsPerModule; ++dy) {
                for (int dx = 0; dx < kPixelsPerModule; ++dx) {
                    const int x = left + kPixelsPerModule * column + dx;
                    const int y = top + kPixelsPerModule * row + dy;
                    if (x >= 0 && y >= 0 && x < kScreenshotWidth && y < kScreenshotHeight)
                        set_pixel(picture, x, y, v, v, v);
                }
            }
        }
    }
}

// The module matrix (as the encoder leaves it) drawn into a white screenshot.
inline Screenshot screenshot_of_module_matrix(int left = kSymbolLeft, int top = kSymbolTop) {
    Screenshot picture = blank_screenshot();
    draw_symbol(
        picture, kQrSide,
        [](int row, int column) { return (module_matrix[row * kQrSide + column] & 1) != 0; }, left,
        top);
    return picture;
}

// Samples and decodes into a record pre-filled with `sentinel`; returns the
// result and, through record, what the decoder left there.
inline int decode_screenshot(const Screenshot& picture, std::vector<uint8_t>& record,
                             uint8_t sentinel = 0xA5) {
    record.assign(kQrPayloadLength, sentinel);
    sample_screenshot(picture.data());
    return decode_qr(record.data());
}
