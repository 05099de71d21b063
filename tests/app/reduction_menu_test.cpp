// The reduction menu's rules: which quantiser runs, what picking an item does,
// which commands keep or reset the choice, and the check mark.
#include "reduction_menu.h"

#include <gtest/gtest.h>

#include "capture_command.h"
#include "conversion_plan.h"
#include "file_commands.h"
#include "resource_ids.h"

namespace {

constexpr PictureSize kImage{64, 96};

ReductionKind quantizer_run(const ShellState& state, bool capture) {
    return plan_conversion(state, capture, kImage).reduction.kind;
}

TEST(ReductionMenu, ItemsNameTheFourReductionsAndNothingElse) {
    const int items[] = {IDM_REDUCE_MERGE, IDM_REDUCE_MEDIAN_CUT, IDM_REDUCE_QUALITY,
                         IDM_REDUCE_DITHER};
    const ReductionKind reductions[] = {ReductionKind::merge, ReductionKind::median_cut, ReductionKind::quality,
                                    ReductionKind::dither};
    for (int i = 0; i < 4; ++i) {
        ReductionKind reduction = ReductionKind::merge;
        ASSERT_TRUE(reduction_of_menu_item(items[i], &reduction));
        EXPECT_EQ(reduction, reductions[i]);
        EXPECT_EQ(menu_item_of_reduction(reductions[i]), items[i]);
    }
    ReductionKind untouched = ReductionKind::dither;
    EXPECT_FALSE(reduction_of_menu_item(IDM_OPEN_FITTED_PICTURE, &untouched));
    EXPECT_FALSE(reduction_of_menu_item(IDM_CAPTURE, &untouched));
    EXPECT_EQ(untouched, ReductionKind::dither);
}

TEST(ReductionMenu, PickingClearsTheFlagAndReconvertsOnlyAConvertedDesign) {
    ShellState state;
    state.grid = DesignGrid{2, 3};
    state.position = DesignPosition{1, 2};
    accept_image(state, kImage, ImageCommand::median_cut);
    state.position = DesignPosition{1, 2};
    state.display_mode = DisplayMode::current_design;
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_MEDIAN_CUT);
    // The flag reads the file image even beside a capture.
    EXPECT_EQ(plan_conversion(state, true, kImage).source, TileSource::file_image);

    EXPECT_TRUE(choose_reduction(state, ReductionKind::quality));
    EXPECT_FALSE(state.median_cut);
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_QUALITY);
    EXPECT_EQ(quantizer_run(state, true), ReductionKind::quality);
    EXPECT_EQ(plan_conversion(state, true, kImage).source, TileSource::capture_bitmap);
    EXPECT_EQ(plan_conversion(state, false, kImage).reduction.dither_strength, kMaxDitherStrength);
    // The current design stays: the same design is converted again.
    EXPECT_EQ(state.position.column, 1);
    EXPECT_EQ(state.position.row, 2);

    // Picked while a design file or the placeholder is shown: nothing to convert.
    for (DisplayMode mode : {DisplayMode::design_file, DisplayMode::placeholder}) {
        state.display_mode = mode;
        EXPECT_FALSE(choose_reduction(state, ReductionKind::dither));
        EXPECT_EQ(state.display_mode, mode);
        EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_DITHER);
    }
}

TEST(ReductionMenu, PlainAndFittedImagesResetTheChoiceMedianCutAndCaptureKeepIt) {
    ShellState state;
    choose_reduction(state, ReductionKind::dither);
    accept_image(state, kImage, ImageCommand::median_cut);
    EXPECT_EQ(quantizer_run(state, false), ReductionKind::median_cut);
    EXPECT_EQ(state.chosen_reduction, ReductionKind::dither);
    // A capture clears the flag and converts with the choice again.
    prepare_capture_conversion(state);
    EXPECT_EQ(quantizer_run(state, true), ReductionKind::dither);
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_DITHER);

    for (ImageCommand command : {ImageCommand::merge, ImageCommand::fitted}) {
        choose_reduction(state, ReductionKind::quality);
        accept_image(state, kImage, command);
        EXPECT_EQ(quantizer_run(state, false), ReductionKind::merge);
        EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_MERGE);
        EXPECT_TRUE(image_command_drops_capture(command));
    }
}

TEST(ReductionMenu, AcrossDesignsFollowsTheRulesOfTheOtherItemsAndACancelGoesBack) {
    ShellState state;
    state.display_mode = DisplayMode::current_design;
    choose_reduction(state, ReductionKind::quality);
    EXPECT_TRUE(choose_across_designs(state));
    EXPECT_TRUE(across_designs_in_force(state));
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_DITHER_ACROSS_DESIGNS);
    EXPECT_EQ(quantizer_run(state, true), ReductionKind::dither);
    ReductionKind untouched = ReductionKind::merge;
    EXPECT_FALSE(reduction_of_menu_item(IDM_REDUCE_DITHER_ACROSS_DESIGNS, &untouched));

    // Picked again, it still goes back to what was in force before the first pick.
    choose_across_designs(state);
    cancel_across_designs(state);
    EXPECT_FALSE(across_designs_in_force(state));
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_QUALITY);

    // The median-cut command holds it off; a capture brings it back; ディザ ends it.
    choose_across_designs(state);
    accept_image(state, kImage, ImageCommand::median_cut);
    EXPECT_FALSE(across_designs_in_force(state));
    prepare_capture_conversion(state);
    EXPECT_TRUE(across_designs_in_force(state));
    choose_reduction(state, ReductionKind::dither);
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_DITHER);

    // A cancel after the median-cut command goes back to it.
    accept_image(state, kImage, ImageCommand::median_cut);
    choose_across_designs(state);
    cancel_across_designs(state);
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_MEDIAN_CUT);

    choose_across_designs(state);
    accept_image(state, kImage, ImageCommand::fitted);
    EXPECT_FALSE(across_designs_in_force(state));
    EXPECT_EQ(checked_reduction_item(state), IDM_REDUCE_MERGE);
}

}  // namespace
