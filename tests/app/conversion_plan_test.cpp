#include "conversion_plan.h"

#include <gtest/gtest.h>

namespace {

constexpr PictureSize kNoImage{0, 0};
constexpr PictureSize kImage64x96{64, 96};

ShellState state_with(bool median_cut, DesignPosition position) {
    ShellState state;
    state.median_cut = median_cut;
    state.position = position;
    return state;
}

TEST(ConversionPlan, SourceAndQuantiserFollowTheFlagAndTheCapture) {
    struct Case {
        bool median_cut;
        bool capture;
        TileSource source;
        Quantizer quantizer;
    };
    const Case cases[] = {
        {true, true, TileSource::file_image_rows, Quantizer::median_cut},
        {true, false, TileSource::file_image_rows, Quantizer::median_cut},
        {false, true, TileSource::capture_bitmap, Quantizer::merge},
        {false, false, TileSource::file_image_rows, Quantizer::merge},
    };
    for (const Case& c : cases) {
        const ConversionPlan plan =
            plan_conversion(state_with(c.median_cut, {1, 2}), c.capture, kImage64x96);
        EXPECT_EQ(plan.source, c.source) << c.median_cut << c.capture;
        EXPECT_EQ(plan.quantizer, c.quantizer) << c.median_cut << c.capture;
    }
}

TEST(ConversionPlan, NothingToReadWithoutAPicture) {
    EXPECT_EQ(plan_conversion(state_with(false, {0, 0}), false, kNoImage).source, TileSource::none);
    EXPECT_EQ(plan_conversion(state_with(true, {0, 0}), true, kNoImage).source, TileSource::none);
    EXPECT_EQ(plan_conversion(state_with(false, {0, 0}), true, kNoImage).source,
              TileSource::capture_bitmap);
}

TEST(ConversionPlan, DesignBeyondTheFileImageIsReadClipped) {
    // A capture grid of 5 x 8 while the median cut reads a 64 x 96 image.
    EXPECT_EQ(plan_conversion(state_with(true, {2, 0}), true, kImage64x96).source,
              TileSource::file_image_clipped);
    EXPECT_EQ(plan_conversion(state_with(true, {0, 3}), true, kImage64x96).source,
              TileSource::file_image_clipped);
    EXPECT_EQ(plan_conversion(state_with(true, {1, 2}), true, kImage64x96).source,
              TileSource::file_image_rows);
}

TEST(ConversionPlan, DesignInsidePictureChecksBothSides) {
    EXPECT_TRUE(design_inside_picture({0, 0}, {32, 32}));
    EXPECT_FALSE(design_inside_picture({1, 0}, {32, 32}));
    EXPECT_FALSE(design_inside_picture({0, 1}, {32, 32}));
    EXPECT_FALSE(design_inside_picture({0, 0}, {31, 32}));
    EXPECT_TRUE(design_inside_picture({9, 9}, {320, 320}));
}

}  // namespace
