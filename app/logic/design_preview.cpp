#include "design_preview.h"

#include <cstring>

#include "design_picture.h"

namespace {

constexpr uint8_t kWhiteByte = 0xFF;

void put_pixel(PreviewPixels* preview, int x, int y, Rgb colour) {
    uint8_t* at = preview->bgr + (kPreviewHeight - 1 - y) * kPreviewRowBytes + 3 * x;
    at[0] = colour.b;
    at[1] = colour.g;
    at[2] = colour.r;
}

// Screen pixels [left, right) x [top, bottom) of the preview in one colour, or
// as the marked checkerboard.
void fill_cell(PreviewPixels* preview, int left, int top, int right, int bottom,
               const DesignPixel& cell) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            put_pixel(preview, x, y, drawn_colour(cell, x, y));
        }
    }
}

}  // namespace

int preview_swatch_count(const uint8_t* record) {
    int highest = -1;
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = design_pixel_slot(record, x, y);
            if (slot < kSlotCount && slot > highest) {
                highest = slot;
            }
        }
    }
    return highest + 1;
}

void render_design_preview(const uint8_t* record, PreviewPixels* preview) {
    std::memset(preview->bgr, kWhiteByte, sizeof preview->bgr);
    DesignPixel slots[kSlotCount + 1];
    read_slot_colours(record, slots);
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = design_pixel_slot(record, x, y);
            const DesignPixel& cell = slots[slot];
            fill_cell(preview, x * kPreviewPixelScale, y * kPreviewPixelScale,
                      (x + 1) * kPreviewPixelScale, (y + 1) * kPreviewPixelScale, cell);
        }
    }
    const int top = kSwatchRowY - kPreviewY;
    const int swatches = preview_swatch_count(record);
    for (int slot = 0; slot < swatches; ++slot) {
        const int left = slot * kSwatchWidth;
        fill_cell(preview, left, top, left + kSwatchWidth, top + kSwatchHeight,
                  DesignPixel{kSwatchFrame, false});
        fill_cell(preview, left + 1, top + 1, left + kSwatchWidth - 1, top + kSwatchHeight - 1,
                  slots[slot]);
    }
}
