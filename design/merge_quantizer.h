// The merge quantiser: distinct colours of the tile, then the closest pair merged
// pass after pass until at most 15 remain. Works in static buffers: one call at
// a time.
#pragma once

#include "closest_pair_cache.h"
#include "merge_colour_table.h"
#include "colour_slots.h"
#include "tile.h"

// The colour table of the tile after merging: at most 15 entries with their pixel
// counts, in table order. Each pass merges the pair an exhaustive closest-pair scan
// would choose (smallest distance, then smallest i, then smallest j).
void merge_tile_colours(const Rgb* tile, ColourTable* table);

// The same merge in caller-owned buffers, so that several tiles can be merged at once.
struct MergeBuffers {
    ColourIndex index;
    ClosestPairCache cache;
};
void merge_tile_colours(const Rgb* tile, ColourTable* table, MergeBuffers* buffers);

// Slots 0..n-1 are the merged table's entries; n is the number of distinct colours, at most 15.
void quantize_by_merging(const Rgb* tile, ColourSlots* slots);
