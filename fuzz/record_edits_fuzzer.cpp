// Random sequences of record edits on arbitrary records. Each edit may change only
// the bytes it names and says truly whether it changed any; lines and fills stay
// inside the design, a fill matches a plain flood of its own; texts keep their
// limits and decode for showing without controls or lone surrogates; and a
// design's own colours put back by set_record_pixels give the record byte for
// byte, while other palette colours land where they were asked for.
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
    size_t at = 0;
    uint8_t next() { return at < size ? data[at++] : 0; }
    bool done() const { return at >= size; }
};

// Bytes outside [first, first + length) are as before; returns whether any byte
// inside differs.
bool only_changed(const RecordBytes& before, const RecordBytes& after, int first, int length) {
    for (int i = 0; i < kDesignRecordSize; ++i) {
        if (i < first || i >= first + length)
            check(before[i] == after[i]);
    }
    return !std::equal(before.begin() + first, before.begin() + first + length,
                       after.begin() + first);
}

bool only_pixels_changed(const RecordBytes& before, const RecordBytes& after) {
    return only_changed(before, after, kPixelDataOffset, kPixelDataLength);
}

int coordinate(uint8_t byte) {
    return static_cast<int>(byte % 96) - 32;  // a third of them outside the design
}

// Flood by repeated sweeps, forwards and backwards: every pixel of the target
// nibble next to a filled one.
void reference_fill(RecordBytes& record, int x, int y, int slot) {
    const int target = record_pixel_slot(record, x, y);
    bool filled[kTilePixels] = {};
    filled[y * kTileSide + x] = true;
    for (bool grew = true, forwards = true; grew; forwards = !forwards) {
        grew = false;
        for (int k = 0; k < kTilePixels; ++k) {
            const int i = forwards ? k : kTilePixels - 1 - k;
            const int px = i % kTileSide, py = i / kTileSide;
            if (filled[i] || record_pixel_slot(record, px, py) != target)
                continue;
            filled[i] = (px > 0 && filled[i - 1]) || (px < kTileSide - 1 && filled[i + 1]) ||
                        (py > 0 && filled[i - kTileSide]) ||
                        (py < kTileSide - 1 && filled[i + kTileSide]);
            grew |= filled[i];
        }
    }
    for (int i = 0; i < kTilePixels; ++i)
        if (filled[i])
            set_record_pixel_slot(record, i % kTileSide, i / kTileSide, slot);
}

void edit_line(RecordBytes& record, Input& in) {
    const int x0 = coordinate(in.next()), y0 = coordinate(in.next());
    const int x1 = coordinate(in.next()), y1 = coordinate(in.next());
    const int slot = in.next() % kSlotCount;
    const RecordBytes before = record;
    const bool changed = paint_record_line(record, x0, y0, x1, y1, slot);
    check(changed == only_pixels_changed(before, record));
    for (int y = 0; y < kTileSide; ++y)
        for (int x = 0; x < kTileSide; ++x)
            check(record_pixel_slot(record, x, y) == record_pixel_slot(before, x, y) ||
                  record_pixel_slot(record, x, y) == slot);
    if (x0 >= 0 && x0 < kTileSide && y0 >= 0 && y0 < kTileSide)
        check(record_pixel_slot(record, x0, y0) == slot);
    if (x1 >= 0 && x1 < kTileSide && y1 >= 0 && y1 < kTileSide)
        check(record_pixel_slot(record, x1, y1) == slot);
}

void edit_fill(RecordBytes& record, Input& in) {
    const int x = coordinate(in.next()), y = coordinate(in.next());
    const int slot = in.next() % kSlotCount;
    const RecordBytes before = record;
    const bool changed = fill_record_area(record, x, y, slot);
    check(changed == only_pixels_changed(before, record));
    if (x < 0 || x >= kTileSide || y < 0 || y >= kTileSide) {
        check(!changed);
        return;
    }
    RecordBytes expected = before;
    reference_fill(expected, x, y, slot);
    check(record == expected);
}

void edit_text(RecordBytes& record, Input& in) {
    const RecordTextField field = in.next() % 2 == 0 ? kDesignNameField : kAuthorNameField;
    // Units from a few blocks: ASCII and controls, kana, high and low surrogates.
    constexpr char16_t kBlocks[] = {0x0000, 0x3000, 0xD800, 0xDC00};
    char16_t text[32];
    const int size = in.next() % 24;
    for (int k = 0; k < size; ++k) {
        const uint8_t low = in.next();
        text[k] = static_cast<char16_t>(kBlocks[in.next() % 4] | low);
        if (text[k] == 0)
            text[k] = u'0';  // a text has no zero unit: it ends the field
    }
    const std::u16string_view view(text, size);
    const RecordBytes before = record;
    const bool changed = set_record_text(record, field, view);
    check(changed == only_changed(before, record, field.offset, field.length));
    char16_t units[32];
    if (record_text_fits(field, view)) {
        check(std::u16string_view(units, record_text_units(record, field, units, 32)) == view);
        if (changed)
            for (int i = field.offset + 2 * size; i < field.offset + field.length; ++i)
                check(record[i] == 0);
    } else {
        check(!changed);
    }
    const auto high = [](char16_t u) { return u >= 0xD800 && u < 0xDC00; };
    const auto low = [](char16_t u) { return u >= 0xDC00 && u < 0xE000; };
    const int shown = decode_record_text(record, field, units, field.length / 2);
    for (int k = 0; k < shown; ++k) {
        check(units[k] >= 0x20 && !(units[k] >= 0x7F && units[k] <= 0x9F));
        if (high(units[k])) {
            check(k + 1 < shown && low(units[k + 1]));
            ++k;
        } else {
            check(!low(units[k]));
        }
    }
}

// Mends the record so that every pixel has a colour, then checks that its own
// picture comes back byte for byte and that a repainted one shows what was asked.
void edit_pixels(RecordBytes& record, Input& in) {
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int slot = record_pixel_slot(record, x, y) % kSlotCount;
            set_record_pixel_slot(record, x, y, slot);
            if (palette_index(record_slot_code(record, slot)) < 0)
                set_record_slot_code(
                    record, slot,
                    kFixedPalette[record_slot_code(record, slot) % kPaletteSize].code);
        }
    }
    DesignPixel slots[kSlotCount + 1];
    read_slot_colours(record.data(), slots);
    Rgb pixels[kTilePixels];
    for (int i = 0; i < kTilePixels; ++i)
        pixels[i] = slots[record_pixel_slot(record, i % kTileSide, i / kTileSide)].colour;
    const RecordBytes before = record;
    check(set_record_pixels(record, pixels).fault == PixelsFault::kNone);
    check(record == before);

    const int repaints = in.next() % 64;
    for (int k = 0; k < repaints; ++k) {
        const int high_bits = in.next();
        const int at = (high_bits << 2 | in.next() >> 6) % kTilePixels;
        pixels[at] = kFixedPalette[in.next() % kPaletteSize].colour;
    }
    const PixelsRefusal refusal = set_record_pixels(record, pixels);
    if (refusal.fault != PixelsFault::kNone) {
        check(refusal.fault == PixelsFault::kTooManyColours && record == before);
        return;
    }
    only_changed(before, record, kPaletteCodesOffset, kDesignRecordSize - kPaletteCodesOffset);
    check(std::equal(before.begin() + kFixedBytesOffset, before.begin() + kPixelDataOffset,
                     record.begin() + kFixedBytesOffset));
    for (int i = 0; i < kTilePixels; ++i) {
        Rgb shown{};
        const int slot = record_pixel_slot(record, i % kTileSide, i / kTileSide);
        check(slot != kNoSlot && palette_colour(record_slot_code(record, slot), &shown) == 0);
        check(shown == pixels[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RecordBytes record{};
    std::copy_n(data, std::min(size, record.size()), record.begin());
    Input in{data, size, record.size()};
    // The pixels put back cost most: a few to an input keep the runs quick.
    constexpr int kMaxPixelEdits = 4;
    int pixel_edits = 0;
    while (!in.done()) {
        const uint8_t op = in.next();
        switch (op % 6) {
            case 0: {
                const int x = in.next() % kTileSide, y = in.next() % kTileSide;
                const int slot = in.next() % kSlotCount;
                const RecordBytes before = record;
                check(
                    set_record_pixel_slot(record, x, y, slot) ==
                    only_changed(before, record, kPixelDataOffset + y * kPixelRowBytes + x / 2, 1));
                check(record_pixel_slot(record, x, y) == slot);
                break;
            }
            case 1:
                edit_line(record, in);
                break;
            case 2:
                edit_fill(record, in);
                break;
            case 3: {
                const int slot = in.next() % kSlotCount;
                const uint8_t code = in.next();
                const RecordBytes before = record;
                check(set_record_slot_code(record, slot, code) ==
                      only_changed(before, record, kPaletteCodesOffset + slot, 1));
                break;
            }
            case 4:
                edit_text(record, in);
                break;
            default:
                if (pixel_edits++ < kMaxPixelEdits)
                    edit_pixels(record, in);
                break;
        }
    }
    return 0;
}
