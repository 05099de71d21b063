// 400 x 240 bottom-up screenshots with a symbol drawn in, for the decoder tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
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

inline constexpr int kEntriesDisagree = -2;  // the decoder's two entries differ
// Samples and decodes into a record pre-filled with `sentinel`; returns the
// result and, through record and reason, what the decoder left there. Unless
// caller-owned buffers give the same, leaving the module matrix alone: kEntriesDisagree.
inline int decode_screenshot(const Screenshot& picture, std::vector<uint8_t>& record,
                             DecodeError* reason_out = nullptr, uint8_t sentinel = 0xA5) {
    record.assign(kQrPayloadLength, sentinel);
    sample_screenshot(picture.data());
    auto own = std::make_unique<DecoderBuffers>();
    std::memcpy(own->working_matrix, working_matrix, kQrCells);
    std::vector<uint8_t> own_record = record;
    const std::vector<uint8_t> shown(module_matrix, module_matrix + kQrCells);
    const DecodeError own_reason = decode_qr_with_reason(own_record.data(), *own);
    const bool shown_kept = std::equal(shown.begin(), shown.end(), module_matrix);
    const DecodeError reason = decode_qr_with_reason(record.data());
    if (reason_out != nullptr)
        *reason_out = reason;
    if (own_reason != reason || own_record != record || !shown_kept)
        return kEntriesDisagree;
    return reason == DecodeError::kNone ? 0 : -1;
}
