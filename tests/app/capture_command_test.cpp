// What the screen capture leaves in the state: the dialog's grid, the
// conversion of the selection and a failed capture.
#include "capture_command.h"

#include <gtest/gtest.h>

#include "conversion_plan.h"

namespace {

ShellState showing_design(DesignGrid grid, DesignPosition position, bool median_cut) {
    ShellState state;
    state.grid = grid;
    state.position = position;
    state.display_mode = DisplayMode::current_design;
    state.median_cut = median_cut;
    return state;
}

TEST(DesignCountDialog, OkSetsTheChosenGridAndItsFirstDesign) {
    ShellState state = showing_design({2, 3}, {1, 2}, false);
    // Items 4 and 7 are "5" and "8".
    DesignGrid grid{0, 0};
    ASSERT_TRUE(grid_of_design_count_items(4, 7, &grid));
    accept_design_count(state, grid);
    EXPECT_EQ(state.grid.columns, 5);
    EXPECT_EQ(state.grid.rows, 8);
    EXPECT_EQ(state.position.column, 0);
    EXPECT_EQ(state.position.row, 0);
    // The dialog alone neither converts nor changes what is shown.
    EXPECT_EQ(state.display_mode, DisplayMode::current_design);
    ASSERT_TRUE(grid_of_design_count_items(39, 0, &grid));
    EXPECT_EQ(grid.columns, 40);
    EXPECT_EQ(grid.rows, 1);
    EXPECT_EQ(design_count_item_of_value(grid.columns), 39);
}

TEST(DesignCountDialog, MoreThanFortyDesignsOrNoSelectionAreRefused) {
    // 7 x 6, 2 x 21, 40 x 40, and a combo box without a selection (CB_ERR is -1).
    const int refused[][2] = {{6, 5}, {1, 20}, {39, 39}, {-1, 0}, {0, -1}};
    for (const auto& items : refused) {
        DesignGrid grid{2, 3};
        EXPECT_FALSE(grid_of_design_count_items(items[0], items[1], &grid));
        EXPECT_EQ(grid.columns, 2);
        EXPECT_EQ(grid.rows, 3);
    }
}

TEST(CaptureConversion, ReadsTheCaptureWithTheMergeQuantiserAfterAMedianCutImage) {
    ShellState state = showing_design({2, 3}, {0, 0}, true);
    // Left as it was, the flag would send the capture grid to the file image.
    EXPECT_EQ(plan_conversion(state, true, {64, 96}).source, TileSource::file_image);
    prepare_capture_conversion(state);
    EXPECT_FALSE(state.median_cut);
    EXPECT_EQ(state.grid.columns, 2);
    const ConversionPlan plan = plan_conversion(state, true, {64, 96});
    EXPECT_EQ(plan.source, TileSource::capture_bitmap);
    EXPECT_EQ(plan.reduction.kind, ReductionKind::merge);
}

TEST(CaptureConversion, AFailedCaptureShowsThePlaceholderAndKeepsTheGrid) {
    ShellState state = showing_design({5, 8}, {0, 0}, true);
    note_capture_failed(state);
    EXPECT_EQ(state.display_mode, DisplayMode::placeholder);
    EXPECT_EQ(state.grid.columns, 5);
    EXPECT_EQ(state.grid.rows, 8);
    EXPECT_TRUE(state.median_cut);
}

}  // namespace
