// Where the decoder finds the symbol in a screenshot: a 400 x 240 picture of
// 24-bit blue-green-red pixels in 1200-byte rows stored bottom-up, the symbol
// drawn at 2 x 2 pixels per module with its top-left module at pixel (194, 42).
#pragma once

#include <cstddef>

inline constexpr int kScreenshotWidth = 400;
inline constexpr int kScreenshotHeight = 240;
inline constexpr int kScreenshotBytesPerPixel = 3;
inline constexpr int kScreenshotRowBytes = kScreenshotWidth * kScreenshotBytesPerPixel;  // 1200
inline constexpr std::size_t kScreenshotBytes =
    static_cast<std::size_t>(kScreenshotRowBytes) * kScreenshotHeight;  // 288000

inline constexpr int kSymbolLeft = 194;
inline constexpr int kSymbolTop = 42;
inline constexpr int kPixelsPerModule = 2;

// A pixel is dark when its three colour bytes add up to less than this.
inline constexpr int kDarkSumLimit = 384;

// Byte offset of pixel (x, y), y counted from the top of the picture.
constexpr std::size_t screenshot_pixel_offset(int x, int y) {
    return static_cast<std::size_t>(kScreenshotBytesPerPixel) *
           (static_cast<std::size_t>(kScreenshotWidth) * (kScreenshotHeight - 1 - y) + x);
}
