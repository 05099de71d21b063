#include "design_picture.h"

#include "design_record.h"
#include "palette.h"

namespace {

constexpr uint8_t kNibbleMask = 0x0F;

}  // namespace

int design_pixel_slot(const uint8_t* record, int x, int y) {
    const uint8_t pair = record[kPixelDataOffset + y * kPixelRowBytes + x / 2];
    return x % 2 == 0 ? pair & kNibbleMask : pair >> 4;
}

void read_slot_colours(const uint8_t* record, DesignPixel (&slots)[kSlotCount + 1]) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        Rgb colour{0, 0, 0};
        const bool named = palette_colour(record[kPaletteCodesOffset + slot], &colour) == 0;
        slots[slot] = DesignPixel{named ? colour : Rgb{0, 0, 0}, !named};
    }
    slots[kSlotCount] = DesignPixel{Rgb{0, 0, 0}, true};
}
