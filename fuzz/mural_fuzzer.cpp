// Arbitrary grids of up to 3 x 2 designs through the dither across designs at a
// fuzzed strength, with one thread and with three: the same records; each with
// the fixed fields of every record, every slot a pixel uses below the highest
// one shown and holding one of the 159 palette codes, the slots above 0x00; at
// strength 0 the `quality` records.
//
// Input: byte 0 the grid, byte 1 the strength, byte 2 how the rest becomes
// pixels (RGB triples, or one byte a pixel on a coarse lattice), repeated over
// the whole picture.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "across_designs_dither.h"
#include "design_conversion.h"
#include "palette.h"

namespace {

constexpr size_t kHeaderBytes = 3;
constexpr int kMaxColumns = 3;
constexpr int kMaxRows = 2;
constexpr int kThreads = 3;

ConversionWorkspace workspace;

void check(bool condition) {
    if (!condition)
        std::abort();
}

Rgb pixel_of(uint8_t mode, const uint8_t* bytes, size_t count, size_t at) {
    if (mode % 2 == 0 && count >= 3) {
        const uint8_t* c = bytes + 3 * (at % (count / 3));
        return Rgb{c[0], c[1], c[2]};
    }
    const uint8_t b = bytes[at % count];
    return Rgb{static_cast<uint8_t>((b & 7) * 36), static_cast<uint8_t>((b >> 3 & 7) * 36),
               static_cast<uint8_t>((b >> 6) * 85)};
}

void check_record(const RecordBytes& r, const uint8_t* fixed_fields) {
    check(std::memcmp(r.data(), fixed_fields, kPaletteCodesOffset) == 0);
    check(std::memcmp(r.data() + kFixedBytesOffset, kFixedBytes, kFixedBytesLength) == 0);
    bool shown[kSlotCount] = {};
    for (int p = 0; p < kTilePixels; ++p) {
        const uint8_t byte = r[kPixelDataOffset + p / 2];
        shown[p % 2 == 0 ? byte & 0xF : byte >> 4] = true;
    }
    const int in_use = static_cast<int>(std::find(shown, shown + kSlotCount, false) - shown);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint8_t code = r[kPaletteCodesOffset + slot];
        check(slot < in_use ? palette_index(code) >= 0 : code == 0 && !shown[slot]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes + 1) {
        return 0;
    }
    const DesignGrid grid{data[0] % kMaxColumns + 1, data[0] / kMaxColumns % kMaxRows + 1};
    const int strength = data[1] % (kMaxDitherStrength + 1);
    const uint8_t mode = data[2];
    const uint8_t* bytes = data + kHeaderBytes;
    const size_t count = size - kHeaderBytes;
    const int width = grid.columns * kTileSide;
    auto read_tile = [&](int column, int row, Rgb* tile) {
        for (int p = 0; p < kTilePixels; ++p) {
            const int x = column * kTileSide + p % kTileSide;
            const int y = row * kTileSide + p / kTileSide;
            tile[p] = pixel_of(mode, bytes, count, static_cast<size_t>(y) * width + x);
        }
    };
    const std::vector<RecordBytes> one = dither_across_designs(grid, read_tile, {strength, 1});
    const std::vector<RecordBytes> several =
        dither_across_designs(grid, read_tile, {strength, kThreads});
    check(one.size() == static_cast<size_t>(grid.columns * grid.rows) && one == several);

    uint8_t fixed_fields[kDesignRecordSize];
    const Rgb black[kTilePixels] = {};
    convert_tile_to_record(black, ReductionKind::merge, fixed_fields);
    for (size_t d = 0; d < one.size(); ++d) {
        check_record(one[d], fixed_fields);
        if (strength == 0) {
            Rgb tile[kTilePixels];
            read_tile(static_cast<int>(d) % grid.columns, static_cast<int>(d) / grid.columns, tile);
            RecordBytes quality;
            convert_tile_to_record(tile, Reduction{ReductionKind::quality}, &workspace,
                                   quality.data());
            check(one[d] == quality);
        }
    }
    return 0;
}
