// Random tiles from fixed seeds, in families chosen to stress the merge
// quantiser's tie rules: many equal distances, equal counts, near-duplicates.
#pragma once

#include <cstdint>

#include "tile.h"

enum class TileFamily {
    distinct_1024,  // 1024 different colours, one pixel each
    values_0_to_7,  // every channel 0-7 at random: about 440 colours, masses of ties
    subset_0_to_7,  // 20-250 colours drawn from the 0-7 cube
    values_0_85_170_255,
    values_0_to_3,
    gradient_noise,   // a gradient along x or y with 0-1 noise per channel
    blocks_16_to_40,  // 4 x 4 blocks from 16-40 colours, some on a coarse lattice
};

inline constexpr int kTileFamilyCount = 7;

void make_family_tile(TileFamily family, uint32_t seed, Rgb* tile);

int count_distinct_colours(const Rgb* tile);

// The mix of tiles for an equality run: `total` tiles, of which `large` come from
// the families with more than 300 colours (distinct_1024 and values_0_to_7, half
// each) and the rest spread evenly over the other five. Tile t is family
// mix_family(t) with seed first_seed + t.
struct TileMix {
    int total;
    int large;
    uint32_t first_seed;
};

TileFamily mix_family(const TileMix& mix, int tile_number);
