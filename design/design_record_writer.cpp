#include "design_record_writer.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "design_record.h"
#include "nearest_slot.h"
#include "palette.h"

namespace {

void write_u16le(uint16_t value, uint8_t* out) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

// The field around the text is already zero.
void write_utf16le(std::u16string_view text, uint8_t* out) {
    for (char16_t unit : text) {
        write_u16le(unit, out);
        out += 2;
    }
}

void write_fixed_fields(uint8_t* record) {
    static_assert(sizeof kDesignName / 2 - 1 <= kDesignNameLength / 2);
    static_assert(sizeof kAuthorName / 2 - 1 <= kAuthorNameLength / 2);
    static_assert(sizeof kVillageName / 2 - 1 <= kVillageNameLength / 2);
    write_utf16le(kDesignName, record + kDesignNameOffset);
    write_u16le(kAuthorNumber, record + kAuthorNumberOffset);
    write_utf16le(kAuthorName, record + kAuthorNameOffset);
    write_u16le(kVillageNumber, record + kVillageNumberOffset);
    write_utf16le(kVillageName, record + kVillageNameOffset);
    std::copy(std::begin(kFixedBytes), std::end(kFixedBytes), record + kFixedBytesOffset);
}

void write_palette_codes(const ColourSlots& slots, uint8_t* record) {
    for (int slot = 0; slot < slots.count; ++slot) {
        record[kPaletteCodesOffset + slot] = nearest_palette_code(slots.colour[slot]);
    }
}

void write_pixel_data(const Rgb* tile, const ColourSlots& slots, uint8_t* record) {
    for (int y = 0; y < kTileSide; ++y) {
        const Rgb* row = tile + y * kTileSide;
        uint8_t* out = record + kPixelDataOffset + y * kPixelRowBytes;
        for (int b = 0; b < kPixelRowBytes; ++b) {
            const int even = nearest_slot(row[2 * b], slots);
            const int odd = nearest_slot(row[2 * b + 1], slots);
            out[b] = static_cast<uint8_t>(even | odd << 4);
        }
    }
}

}  // namespace

void write_design_record(const Rgb* tile, const ColourSlots& slots, uint8_t* record) {
    std::fill(record, record + kDesignRecordSize, uint8_t{0});
    write_fixed_fields(record);
    write_palette_codes(slots, record);
    write_pixel_data(tile, slots, record);
}

void write_design_record(const uint8_t* codes, int code_count, const uint8_t* slot_of_pixel,
                         uint8_t* record) {
    std::fill(record, record + kDesignRecordSize, uint8_t{0});
    write_fixed_fields(record);
    std::copy(codes, codes + code_count, record + kPaletteCodesOffset);
    for (int pixel = 0; pixel < kTilePixels; pixel += 2) {
        record[kPixelDataOffset + pixel / 2] =
            static_cast<uint8_t>(slot_of_pixel[pixel] | slot_of_pixel[pixel + 1] << 4);
    }
}
