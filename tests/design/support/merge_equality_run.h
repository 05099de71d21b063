// Runs the production merge quantiser and the exhaustive reference side by side
// over a mix of random tiles and compares their final tables (colours and counts).
#pragma once

#include <string>

#include "tile_families.h"

struct MergeEqualityResult {
    int tiles = 0;
    int large_tiles = 0;  // more than 300 distinct colours
    int mismatches = 0;
    std::string first_mismatch;  // family, seed and the first differing entry
};

MergeEqualityResult run_merge_equality(const TileMix& mix);
