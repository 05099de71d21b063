#include "merge_equality_run.h"

#include <sstream>

#include "exhaustive_merge.h"
#include "merge_quantizer.h"

namespace {

constexpr int kLargeTileColours = 300;

Rgb tile[kTilePixels];
ColourTable production;
ExhaustiveColourTable reference;

// The first index at which the tables differ, or -1.
int first_difference() {
    if (production.size != reference.size) {
        return 0;
    }
    for (int e = 0; e < kTilePixels; ++e) {
        if (!(entry_colour(production, e) == reference.colour[e]) ||
            production.count[e] != reference.count[e]) {
            return e;
        }
    }
    return -1;
}

std::string describe(int tile_number, TileFamily family, uint32_t seed, int entry) {
    std::ostringstream text;
    const Rgb p = entry_colour(production, entry);
    const Rgb r = reference.colour[entry];
    text << "tile " << tile_number << " (family " << static_cast<int>(family) << ", seed " << seed
         << "): sizes " << production.size << " / " << reference.size << ", entry " << entry
         << " production (" << int{p.r} << ", " << int{p.g} << ", " << int{p.b} << ") x"
         << production.count[entry] << ", reference (" << int{r.r} << ", " << int{r.g} << ", "
         << int{r.b} << ") x" << reference.count[entry];
    return text.str();
}

}  // namespace

MergeEqualityResult run_merge_equality(const TileMix& mix) {
    MergeEqualityResult result;
    for (int t = 0; t < mix.total; ++t) {
        const TileFamily family = mix_family(mix, t);
        const uint32_t seed = mix.first_seed + static_cast<uint32_t>(t);
        make_family_tile(family, seed, tile);
        if (count_distinct_colours(tile) > kLargeTileColours) {
            ++result.large_tiles;
        }
        merge_tile_colours(tile, &production);
        merge_tile_colours_exhaustively(tile, &reference);
        ++result.tiles;
        const int entry = first_difference();
        if (entry >= 0) {
            if (result.mismatches == 0) {
                result.first_mismatch = describe(t, family, seed, entry);
            }
            ++result.mismatches;
        }
    }
    return result;
}
