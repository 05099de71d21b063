// The production merge quantiser against the exhaustive closest-pair scan.
#include <gtest/gtest.h>

#include "colour_slots.h"
#include "merge_equality_run.h"

namespace {

TEST(TileFamilies, LargeFamiliesAreLargeAndTheOthersStayAtMost300Colours) {
    Rgb tile[kTilePixels];
    make_family_tile(TileFamily::distinct_1024, 1, tile);
    EXPECT_EQ(count_distinct_colours(tile), kTilePixels);
    make_family_tile(TileFamily::values_0_to_7, 1, tile);
    EXPECT_GT(count_distinct_colours(tile), 300);
    for (TileFamily family :
         {TileFamily::subset_0_to_7, TileFamily::values_0_85_170_255, TileFamily::values_0_to_3,
          TileFamily::gradient_noise, TileFamily::blocks_16_to_40}) {
        for (uint32_t seed = 0; seed < 20; ++seed) {
            make_family_tile(family, seed, tile);
            EXPECT_LE(count_distinct_colours(tile), 300) << static_cast<int>(family);
            EXPECT_GT(count_distinct_colours(tile), kSlotCount) << static_cast<int>(family);
        }
    }
}

// 2000 tiles, 50 of them with more than 300 colours (the exhaustive scan takes
// about a quarter of a second on a 1024-colour tile). The 10,000-tile run is the
// separate test design_merge_equality_long.
TEST(MergeEquality, TwoThousandTilesMatchTheExhaustiveScan) {
    const TileMix mix{2000, 50, 1000};
    const MergeEqualityResult result = run_merge_equality(mix);
    EXPECT_EQ(result.tiles, 2000);
    EXPECT_LE(result.large_tiles, 50);
    EXPECT_EQ(result.mismatches, 0) << result.first_mismatch;
}

}  // namespace
