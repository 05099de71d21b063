// Arbitrary tiles through every reduction (merge, median cut, quality, dither at
// a fuzzed strength), each record checked: the fixed fields of every record;
// every slot a pixel uses holds one of the 159 palette codes and lies below the
// number of slots the reduction fills; slots above hold 0x00. Quality is also
// checked against merge (never worse) and dither at strength 0 against quality.
//
// Input: byte 0 picks the reduction, byte 1 the strength, byte 2 how the rest
// becomes pixels: as RGB triples, or one byte per pixel on a coarse lattice
// (many repeated colours), both repeated to fill the tile.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "merge_colour_table.h"
#include "design_conversion.h"
#include "design_record.h"
#include "palette.h"
#include "quality_reduction.h"

namespace {

constexpr size_t kHeaderBytes = 3;
constexpr int kReductionCount = 4;

Rgb tile[kTilePixels];
ConversionWorkspace workspace;
ColourTable distinct;
uint8_t record[kDesignRecordSize];
uint8_t other[kDesignRecordSize];
uint8_t reference[kDesignRecordSize];

void check(bool condition) {
    if (!condition)
        std::abort();
}

void fill_tile(uint8_t mode, const uint8_t* bytes, size_t count) {
    if (mode % 2 == 0 && count >= 3) {
        const size_t triples = count / 3;
        for (int p = 0; p < kTilePixels; ++p) {
            const uint8_t* c = bytes + 3 * (static_cast<size_t>(p) % triples);
            tile[p] = Rgb{c[0], c[1], c[2]};
        }
        return;
    }
    for (int p = 0; p < kTilePixels; ++p) {
        const uint8_t b = bytes[static_cast<size_t>(p) % count];
        tile[p] = Rgb{static_cast<uint8_t>((b & 7) * 36), static_cast<uint8_t>((b >> 3 & 7) * 36),
                      static_cast<uint8_t>((b >> 6) * 85)};
    }
}

void check_record(const uint8_t* r, int slots_filled) {
    check(std::memcmp(r, reference, kPaletteCodesOffset) == 0);
    check(std::memcmp(r + kFixedBytesOffset, kFixedBytes, kFixedBytesLength) == 0);
    int in_use = 0;
    for (int b = 0; b < kPixelDataLength; ++b) {
        const uint8_t byte = r[kPixelDataOffset + b];
        in_use = std::max({in_use, (byte & 0xF) + 1, (byte >> 4) + 1});
    }
    check(in_use <= slots_filled);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint8_t code = r[kPaletteCodesOffset + slot];
        check(slot < in_use ? palette_index(code) >= 0 : slot >= slots_filled ? code == 0 : true);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes + 1) {
        return 0;
    }
    const ReductionKind quantizer = static_cast<ReductionKind>(data[0] % kReductionCount);
    const int strength = data[1] % (kMaxDitherStrength + 1);
    fill_tile(data[2], data + kHeaderBytes, size - kHeaderBytes);

    const Rgb black[kTilePixels] = {};
    convert_tile_to_record(black, ReductionKind::merge, reference);
    collect_distinct_colours(tile, &distinct);
    const int distinct_slots = std::min(distinct.size, kSlotCount);

    convert_tile_to_record(tile, Reduction{quantizer, strength}, &workspace, record);
    check_record(record, quantizer == ReductionKind::median_cut ? kSlotCount : distinct_slots);
    if (quantizer == ReductionKind::quality) {
        convert_tile_to_record(tile, ReductionKind::merge, other);
        check(pointwise_cie76_sum(tile, record) <= pointwise_cie76_sum(tile, other));
    }
    if (quantizer == ReductionKind::dither && strength == 0) {
        convert_tile_to_record(tile, Reduction{ReductionKind::quality}, &workspace, other);
        check(std::memcmp(record, other, kDesignRecordSize) == 0);
    }
    return 0;
}
