// The long equality run: 10,000 tiles, 1000 of them with more than 300 colours.
// A few minutes; labelled `long` and left out of the default test runs.
#include <gtest/gtest.h>

#include "merge_equality_run.h"

namespace {

TEST(MergeEqualityLong, TenThousandTilesMatchTheExhaustiveScan) {
    const TileMix mix{10000, 1000, 100000};
    const MergeEqualityResult result = run_merge_equality(mix);
    EXPECT_EQ(result.tiles, 10000);
    EXPECT_EQ(result.mismatches, 0) << result.first_mismatch;
    std::printf("%d tiles (%d with more than 300 colours), %d mismatches\n", result.tiles,
                result.large_tiles, result.mismatches);
}

}  // namespace
