// The merge quantiser's colour table: the distinct colours of a tile with their
// pixel counts, and the merge of two entries.
#pragma once

#include <cstdint>

#include "tile.h"

// Used entries are packed from index 0; entries at and above `size` are free
// (colour (0, 0, 0), count 0). One array per channel, so that the distance loops
// over the table vectorise. The channels are whole numbers 0-255 held as float:
// every difference, square and sum of three squares (at most 3 * 255 * 255) is
// exact in float, and float arithmetic vectorises where 32-bit integer
// multiplication does not (SSE2, the x86-64 baseline, has none).
struct ColourTable {
    float red[kTilePixels];
    float green[kTilePixels];
    float blue[kTilePixels];
    int32_t count[kTilePixels];
    int size;
};

// Open-addressing index from a packed colour to its table entry. A power of two,
// at least twice the largest number of distinct colours, so probes stay short.
inline constexpr int kColourIndexBits = 12;
inline constexpr int kColourIndexSlots = 1 << kColourIndexBits;
static_assert(kColourIndexSlots >= 2 * kTilePixels);

struct ColourIndex {
    int16_t entry_of_colour[kColourIndexSlots];
    uint32_t colour_of_slot[kColourIndexSlots];
};

// Fills the table with the distinct colours of the 1024 tile pixels, in order of
// first appearance in tile order, each with its number of pixels. Uses an index
// of its own: one call at a time.
void collect_distinct_colours(const Rgb* tile, ColourTable* table);

// The same with a caller-owned index; entry_of_pixel, when not null, receives the
// table entry of each of the 1024 pixels.
void collect_distinct_colours(const Rgb* tile, ColourTable* table, ColourIndex* index,
                              int16_t* entry_of_pixel);

// Merges entries i < j: entry i becomes the count-weighted mean of the two, each
// channel rounded down, with the summed count; the last entry then moves into j
// (or j, being last, is freed) and the size drops by one.
void merge_table_entries(ColourTable* table, int i, int j);

// Squared RGB distance between entries a and b, exact (see above).
inline int32_t entry_distance(const ColourTable& table, int a, int b) {
    const float dr = table.red[a] - table.red[b];
    const float dg = table.green[a] - table.green[b];
    const float db = table.blue[a] - table.blue[b];
    return static_cast<int32_t>(dr * dr + dg * dg + db * db);
}

inline Rgb entry_colour(const ColourTable& table, int index) {
    return Rgb{static_cast<uint8_t>(table.red[index]), static_cast<uint8_t>(table.green[index]),
               static_cast<uint8_t>(table.blue[index])};
}
