#include "design_preview.h"

#include <cstring>

#include "design_record.h"
#include "palette.h"

namespace {

constexpr uint8_t kNibbleMask = 0x0F;
constexpr uint8_t kWhiteByte = 0xFF;

struct SlotColour {
    Rgb colour;
    bool valid;  // the slot's code is a palette colour
};

// The slot of design pixel (x, y); 15 names no slot.
int pixel_slot(const uint8_t* record, int x, int y) {
    const uint8_t pair = record[kPixelDataOffset + y * kPixelRowBytes + x / 2];
    return x % 2 == 0 ? pair & kNibbleMask : pair >> 4;
}

void put_pixel(PreviewPixels* preview, int x, int y, Rgb colour) {
    uint8_t* at = preview->bgr + (kPreviewHeight - 1 - y) * kPreviewRowBytes + 3 * x;
    at[0] = colour.b;
    at[1] = colour.g;
    at[2] = colour.r;
}

// Screen pixels [left, right) x [top, bottom) of the preview in one colour, or
// as the marked checkerboard.
void fill_cell(PreviewPixels* preview, int left, int top, int right, int bottom,
               const SlotColour& cell) {
    constexpr Rgb kBlack = {0, 0, 0};
    constexpr Rgb kWhite = {255, 255, 255};
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const Rgb colour =
                cell.valid ? cell.colour : (marked_cell_dark(x, y) ? kBlack : kWhite);
            put_pixel(preview, x, y, colour);
        }
    }
}

}  // namespace

int preview_swatch_count(const uint8_t* record) {
    int highest = -1;
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = pixel_slot(record, x, y);
            if (slot < kSlotCount && slot > highest) {
                highest = slot;
            }
        }
    }
    return highest + 1;
}

void render_design_preview(const uint8_t* record, PreviewPixels* preview) {
    std::memset(preview->bgr, kWhiteByte, sizeof preview->bgr);
    // Index kSlotCount stands for the nibble that names no slot.
    SlotColour slots[kSlotCount + 1] = {};
    for (int slot = 0; slot < kSlotCount; ++slot) {
        slots[slot].valid =
            palette_colour(record[kPaletteCodesOffset + slot], &slots[slot].colour) == 0;
    }
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = pixel_slot(record, x, y);
            const SlotColour& cell = slots[slot < kSlotCount ? slot : kSlotCount];
            fill_cell(preview, x * kPreviewPixelScale, y * kPreviewPixelScale,
                      (x + 1) * kPreviewPixelScale, (y + 1) * kPreviewPixelScale, cell);
        }
    }
    const int top = kSwatchRowY - kPreviewY;
    const int swatches = preview_swatch_count(record);
    for (int slot = 0; slot < swatches; ++slot) {
        const int left = slot * kSwatchWidth;
        fill_cell(preview, left, top, left + kSwatchWidth, top + kSwatchHeight,
                  SlotColour{kSwatchFrame, true});
        fill_cell(preview, left + 1, top + 1, left + kSwatchWidth - 1, top + kSwatchHeight - 1,
                  slots[slot]);
    }
}
