#include "decoder.h"
#include "qr_profile.h"
#include "screenshot_layout.h"
#include "symbol_buffers.h"

static_assert(kSymbolLeft + kPixelsPerModule * (kQrSide - 1) < kScreenshotWidth);
static_assert(kSymbolTop + kPixelsPerModule * (kQrSide - 1) < kScreenshotHeight);

// One pixel per module, the top-left pixel of its 2 x 2 square; no other pixel is read.
void sample_screenshot(const uint8_t* pixels) {
    constexpr int kPixelStep = kPixelsPerModule * kScreenshotBytesPerPixel;
    for (int k = 0; k < kQrSide; ++k) {
        const uint8_t* pixel =
            pixels + screenshot_pixel_offset(kSymbolLeft, kSymbolTop + kPixelsPerModule * k);
        uint8_t* out = working_matrix + k * kQrSide;
        for (int j = 0; j < kQrSide; ++j, pixel += kPixelStep) {
            const int sum = pixel[0] + pixel[1] + pixel[2];
            out[j] = sum < kDarkSumLimit ? kCellDark : kCellLight;
        }
    }
}
