// Random sequences of record edits on arbitrary records. Each edit changes only the
// bytes it names and says truly whether it changed any; a text that fits reads back
// whole, one that does not changes nothing; a design's own colours put back give the
// record byte for byte and a damaged one is refused; repainted colours land where
// they were asked for, refused only beyond 15 colours.
//
// Input: the record's 620 bytes (zeros where the input is shorter), then edits of
// one opcode byte and its operands.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "design_picture.h"
#include "palette.h"
#include "record_edits.h"
#include "record_pixels.h"

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

struct Input {
    const uint8_t* data;
    size_t size;
    size_t at;
    uint8_t next() { return at < size ? data[at++] : 0; }
    int coordinate() { return next() % 96 - 32; }  // a third outside the design
};

int pixel(const RecordBytes& record, int i) {
    return record_pixel_slot(record, i % kTileSide, i / kTileSide);
}

// Bytes outside [first, first + length) are as before, and `changed` says whether
// any inside differ.
void check_edit(const RecordBytes& before, const RecordBytes& after, int first, int length,
                bool changed) {
    for (int i = 0; i < kDesignRecordSize; ++i)
        check(before[i] == after[i] || (i >= first && i < first + length));
    check(changed == (before != after));
}

// Mends the record so that every pixel shows a colour (unused slots keep codes of
// none), puts its own picture back, then a repainted one.
void edit_pixels(RecordBytes& record, Input& in) {
    const RecordBytes damaged = record;
    for (int i = 0; i < kTilePixels; ++i) {
        const int slot = pixel(record, i) % kSlotCount;
        set_record_pixel_slot(record, i % kTileSide, i / kTileSide, slot);
        const uint8_t code = record_slot_code(record, slot);
        if (palette_index(code) < 0)
            set_record_slot_code(record, slot, kFixedPalette[code % kPaletteSize].code);
    }
    DesignPixel slots[kSlotCount + 1];
    read_slot_colours(record.data(), slots);
    Rgb pixels[kTilePixels];
    for (int i = 0; i < kTilePixels; ++i)
        pixels[i] = slots[pixel(record, i)].colour;
    const RecordBytes before = record;
    check(set_record_pixels(record, pixels).fault == PixelsFault::kNone && record == before);
    // Unmended, a pixel with no colour to show (nibble 15, a code of none) is refused.
    RecordBytes unmended = damaged;
    const PixelsFault refused = set_record_pixels(unmended, pixels).fault;
    check(unmended == damaged && (damaged == record ? refused == PixelsFault::kNone
                                                    : refused == PixelsFault::kRecordNoSlot ||
                                                          refused == PixelsFault::kRecordNoColour));

    for (int k = in.next() % 64; k > 0; --k) {
        const int row = in.next() % kTileSide;
        pixels[row * kTileSide + in.next() % kTileSide] =
            kFixedPalette[in.next() % kPaletteSize].colour;
    }
    // Joining slots of one code frees room until the colours themselves are too many.
    bool seen[256] = {};
    int colours = 0;
    for (const Rgb& colour : pixels) {
        colours += !seen[nearest_palette_code(colour)];
        seen[nearest_palette_code(colour)] = true;
    }
    const PixelsFault fault = set_record_pixels(record, pixels).fault;
    check(fault == (colours > kSlotCount ? PixelsFault::kTooManyColours : PixelsFault::kNone));
    check(fault == PixelsFault::kNone || record == before);
    check_edit(before, record, kPaletteCodesOffset, kDesignRecordSize, record != before);
    check(std::equal(before.begin() + kFixedBytesOffset, before.begin() + kPixelDataOffset,
                     record.begin() + kFixedBytesOffset));
    read_slot_colours(record.data(), slots);
    for (int i = 0; fault == PixelsFault::kNone && i < kTilePixels; ++i)
        check(slots[pixel(record, i)].colour == pixels[i]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordBytes record{};
    std::copy_n(data, std::min(size, record.size()), record.begin());
    Input in{data, size, record.size()};
    int pixel_edits = 0;  // the dearest edit: a few an input keep the runs quick
    while (in.at < in.size) {
        const RecordBytes before = record;
        const uint8_t op = in.next();
        const int x = in.coordinate(), y = in.coordinate(), slot = in.next() % kSlotCount;
        if (op % 5 == 0) {
            const int x1 = in.coordinate(), y1 = in.coordinate();
            check_edit(before, record, kPixelDataOffset, kPixelDataLength,
                       paint_record_line(record, x, y, x1, y1, slot));
        } else if (op % 5 == 1) {
            check_edit(before, record, kPixelDataOffset, kPixelDataLength,
                       fill_record_area(record, x, y, slot));
        } else if (op % 5 == 2) {
            const uint8_t code = in.next();
            check_edit(before, record, kPaletteCodesOffset + slot, 1,
                       set_record_slot_code(record, slot, code));
        } else if (op % 5 == 3) {
            const RecordTextField field = slot % 2 == 0 ? kDesignNameField : kAuthorNameField;
            constexpr char16_t kBlocks[] = {0x0000, 0x3000, 0xD800, 0xDC00};
            char16_t text[24], units[kDesignNameLength / 2];
            const int length = in.next() % 24;
            for (int k = 0; k < length; ++k)  // no zero unit: it would end the text
                text[k] =
                    static_cast<char16_t>(kBlocks[(x + k) & 3] | std::max<uint8_t>(in.next(), 1));
            const std::u16string_view view(text, length);
            check_edit(before, record, field.offset, field.length,
                       set_record_text(record, field, view));
            const int read = record_text_units(record, field, units, field.length / 2);
            check(record_text_fits(field, view) ? std::u16string_view(units, read) == view
                                                : record == before);
        } else if (pixel_edits++ < 4) {
            edit_pixels(record, in);
        }
    }
    return 0;
}
