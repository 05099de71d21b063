// Arbitrary tiles through the merge quantiser, checked against the exhaustive
// closest-pair scan. The first byte chooses how the other bytes become pixels;
// every way keeps a tile at 256 colours or fewer, so that the exhaustive scan
// stays quick under the sanitizers, and most make many equal distances.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "design_conversion.h"
#include "design_record.h"
#include "exhaustive_merge.h"
#include "merge_quantizer.h"

namespace {

Rgb tile[kTilePixels];
ColourTable production;
ExhaustiveColourTable reference;
uint8_t record[kDesignRecordSize];

void check(bool condition) {
    if (!condition)
        std::abort();
}

// One byte per pixel: 3 bits of red, 3 of green, 2 of blue, each scaled by a
// factor the mode byte picks (1 keeps the values 0-7, 85 / 36 spread them out).
Rgb pixel_of(uint8_t byte, uint8_t mode) {
    static constexpr int kScales[] = {1, 36, 85, 17};
    const int scale = kScales[mode % 4];
    const int blue_scale = mode & 4 ? 85 : scale;
    return Rgb{static_cast<uint8_t>((byte & 7) * scale % 256),
               static_cast<uint8_t>((byte >> 3 & 7) * scale % 256),
               static_cast<uint8_t>((byte >> 6) * blue_scale % 256)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    const uint8_t mode = data[0];
    const uint8_t* bytes = data + 1;
    const size_t count = size - 1;
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = pixel_of(bytes[static_cast<size_t>(p) % count], mode);
    }
    merge_tile_colours(tile, &production);
    merge_tile_colours_exhaustively(tile, &reference);
    check(production.size == reference.size);
    for (int e = 0; e < kTilePixels; ++e) {
        check(entry_colour(production, e) == reference.colour[e]);
        check(production.count[e] == reference.count[e]);
    }
    convert_tile_to_record(tile, ReductionKind::median_cut, record);
    check(record[kFixedBytesOffset + 1] == kFixedBytes[1]);
    return 0;
}
