// The median-cut quantiser: the tile's pixels halved by position, four times, each
// part sorted by its widest channel first; the slots are the means of the runs.
// Works in a static copy of the tile: one call at a time.
#pragma once

#include "channel_partition_sort.h"
#include "colour_slots.h"
#include "tile.h"

// Red if its spread (largest minus smallest value) is strictly the widest, else
// green if strictly the widest, else blue: every tie goes to blue, even one
// between red and green above a narrower blue.
Channel widest_channel(const Rgb* pixels, int count);

// Always fills all 15 slots: 14 runs of 64 sorted pixels and the last 128 together.
// The tile itself is not changed.
void quantize_by_median_cut(const Rgb* tile, ColourSlots* slots);
