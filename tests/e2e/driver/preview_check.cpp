#include "preview_check.h"

#include <string>

#include "capture_support.h"
#include "design_picture.h"
#include "design_preview.h"
#include "design_record.h"
#include "palette.h"
#include "window_layout.h"

namespace {

constexpr uint32_t kSwatchFrameColour =
    (uint32_t{kSwatchFrame.r} << 16) | (uint32_t{kSwatchFrame.g} << 8) | kSwatchFrame.b;
constexpr int kMarkedSlot = -1;

// The colour a slot's pixels must show, or kMarkedSlot.
int64_t slot_colour(const Record& record, int slot) {
    Rgb colour{};
    if (slot >= kSlotCount || palette_colour(record[kPaletteCodesOffset + slot], &colour) != 0) {
        return kMarkedSlot;
    }
    return (uint32_t{colour.r} << 16) | (uint32_t{colour.g} << 8) | colour.b;
}

int slot_of_pixel(const Record& record, int x, int y) {
    const uint8_t pair = record[kPixelDataOffset + y * kPixelRowBytes + x / 2];
    return x % 2 == 0 ? pair & 0x0F : pair >> 4;
}

// The cell [left, right) x [top, bottom) of the client area is uniformly
// `colour`, or for kMarkedSlot a checkerboard of black and white.
std::string cell_difference(const ClientPixels& pixels, int left, int top, int right, int bottom,
                            int64_t colour) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const uint32_t shown = pixels.at(x, y);
            if (colour != kMarkedSlot) {
                if (shown != colour) {
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                           hex_colour(shown) + ", not " + hex_colour(static_cast<uint32_t>(colour));
                }
                continue;
            }
            const bool dark = marked_cell_dark(x - kPreviewX, y - kPreviewY);
            if (shown != (dark ? kBlack : kWhite)) {
                return "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                       ") breaks the marked checkerboard";
            }
        }
    }
    return "";
}

}  // namespace

PixelRect preview_rect() {
    return PixelRect{kPreviewX, kPreviewY, kPreviewX + kPreviewWidth, kPreviewY + kPreviewHeight};
}

testing::AssertionResult shows_preview_of(const ClientPixels& pixels, const Record& record) {
    const PixelRect area = preview_rect();
    if (area.right > pixels.width || area.bottom > pixels.height) {
        return testing::AssertionFailure() << "the preview reaches past the client area";
    }
    if (area.left < kSymbolX + kSymbolPixels + kSymbolRingPixels) {
        return testing::AssertionFailure() << "the preview overlaps the symbol's ring";
    }
    int highest_slot = -1;
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = slot_of_pixel(record, x, y);
            const int left = kPreviewX + x * kPreviewPixelScale;
            const int top = kPreviewY + y * kPreviewPixelScale;
            const std::string why =
                cell_difference(pixels, left, top, left + kPreviewPixelScale,
                                top + kPreviewPixelScale, slot_colour(record, slot));
            if (!why.empty()) {
                return testing::AssertionFailure()
                       << "design pixel (" << x << ", " << y << "), slot " << slot << ": " << why;
            }
            if (slot < kSlotCount && slot > highest_slot) {
                highest_slot = slot;
            }
        }
    }
    const int design_bottom = kPreviewY + kPreviewDesignSide;
    if (!area_is_white(pixels, area.left, design_bottom, area.right, kSwatchRowY)) {
        return testing::AssertionFailure() << "something is drawn between design and swatches";
    }
    const int swatch_bottom = kSwatchRowY + kSwatchHeight;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int left = kPreviewX + slot * kSwatchWidth;
        const int right = left + kSwatchWidth;
        if (slot > highest_slot) {
            if (!area_is_white(pixels, left, kSwatchRowY, right, swatch_bottom)) {
                return testing::AssertionFailure() << "swatch " << slot << " is shown unused";
            }
            continue;
        }
        const std::string frame =
            cell_difference(pixels, left, kSwatchRowY, right, kSwatchRowY + 1, kSwatchFrameColour) +
            cell_difference(pixels, left, swatch_bottom - 1, right, swatch_bottom,
                            kSwatchFrameColour) +
            cell_difference(pixels, left, kSwatchRowY, left + 1, swatch_bottom,
                            kSwatchFrameColour) +
            cell_difference(pixels, right - 1, kSwatchRowY, right, swatch_bottom,
                            kSwatchFrameColour);
        const std::string inside = cell_difference(pixels, left + 1, kSwatchRowY + 1, right - 1,
                                                   swatch_bottom - 1, slot_colour(record, slot));
        if (!frame.empty() || !inside.empty()) {
            return testing::AssertionFailure() << "swatch " << slot << ": " << frame << inside;
        }
    }
    if (!area_is_white(pixels, kPreviewX + kSlotCount * kSwatchWidth, kSwatchRowY, area.right,
                       swatch_bottom)) {
        return testing::AssertionFailure() << "something is drawn right of the swatches";
    }
    return testing::AssertionSuccess();
}
