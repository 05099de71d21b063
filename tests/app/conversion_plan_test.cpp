#include "conversion_plan.h"

#include <gtest/gtest.h>

namespace {

constexpr PictureSize kNoImage{0, 0};
constexpr PictureSize kImage64x96{64, 96};

ShellState state_with(bool median_cut) {
    ShellState state;
    state.median_cut = median_cut;
    state.position = DesignPosition{1, 2};
    return state;
}

TEST(ConversionPlan, SourceAndQuantiserFollowTheFlagAndTheCapture) {
    struct Case {
        bool median_cut;
        bool capture;
        TileSource source;
        ReductionKind quantizer;
    };
    const Case cases[] = {
        {true, true, TileSource::file_image, ReductionKind::median_cut},
        {true, false, TileSource::file_image, ReductionKind::median_cut},
        {false, true, TileSource::capture_bitmap, ReductionKind::merge},
        {false, false, TileSource::file_image, ReductionKind::merge},
    };
    for (const Case& c : cases) {
        const ConversionPlan plan =
            plan_conversion(state_with(c.median_cut), c.capture, kImage64x96);
        EXPECT_EQ(plan.source, c.source) << c.median_cut << c.capture;
        EXPECT_EQ(plan.reduction.kind, c.quantizer) << c.median_cut << c.capture;
    }
}

TEST(ConversionPlan, NothingToReadWithoutAPicture) {
    EXPECT_EQ(plan_conversion(state_with(false), false, kNoImage).source, TileSource::none);
    // The median cut reads only the file image, never a capture.
    EXPECT_EQ(plan_conversion(state_with(true), true, kNoImage).source, TileSource::none);
    EXPECT_EQ(plan_conversion(state_with(false), true, kNoImage).source,
              TileSource::capture_bitmap);
}

}  // namespace
