// Commands 130 and 131: the found designs in the state and on the window, and
// the region read from the screen (the overlay's scan mode is the screen-scan
// scenario's).
#include "scan_command.h"

#include <gtest/gtest.h>

#include <string>

#include "window_view.h"

namespace {

ShellState state_showing_design_5_of_a_grid() {
    ShellState state;
    set_design_grid(state, DesignGrid{2, 3});
    state.position = DesignPosition{0, 2};
    state.display_mode = DisplayMode::current_design;
    state.median_cut = true;
    return state;
}

bool same_region(CaptureRegion a, CaptureRegion b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

// The page scenario of the end-to-end suite steps through three; here the edges.
TEST(FoundDesigns, ACancelOrNoneChangesNothingOneShowsNoCounterAndOnlyModeThreeSteps) {
    EXPECT_EQ(answer_of_scan(true, 1), ScanAnswer::unchanged);
    EXPECT_EQ(answer_of_scan(false, 0), ScanAnswer::none_found);
    ShellState state = state_showing_design_5_of_a_grid();
    accept_found_designs(state, 1);
    EXPECT_EQ(state.grid.rows, 3);
    EXPECT_EQ(state.position.row, 2);
    EXPECT_TRUE(state.median_cut);
    WindowView view;
    describe_window(state, &view);
    EXPECT_EQ(std::wstring(view.heading), L"QRコードを読み取りました");
    EXPECT_FALSE(view.shows_counter);
    EXPECT_FALSE(step_found_design(state, true));
    EXPECT_FALSE(go_to_end_found_design(state, true));
    ShellState grid = state_showing_design_5_of_a_grid();
    grid.found = FoundPosition{0, 3};
    EXPECT_FALSE(step_found_design(grid, true));
    EXPECT_EQ(grid.found.shown, 0);
}

TEST(ScanRegion, IsTheUprightRectangleOrTheWholeScreenForAClick) {
    const CaptureRegion whole{0, 0, 1024, 768};
    EXPECT_TRUE(same_region(scan_region(false, {}, 1024, 768), whole));
    // Within 2 pixels of the press on both axes: the whole screen.
    EXPECT_TRUE(same_region(scan_region(true, {500, 300, -2, 2}, 1024, 768), whole));
    EXPECT_TRUE(same_region(scan_region(true, {500, 300, 3, 1}, 1024, 768),
                            (CaptureRegion{500, 300, 3, 1})));
    // Dragged up and left: the same rectangle, upright.
    EXPECT_TRUE(same_region(scan_region(true, {700, 600, -200, -100}, 1024, 768),
                            (CaptureRegion{500, 500, 200, 100})));
    // Cut to the screen, never empty.
    EXPECT_TRUE(same_region(scan_region(true, {1000, 760, 100, 50}, 1024, 768),
                            (CaptureRegion{1000, 760, 24, 8})));
    EXPECT_TRUE(same_region(scan_region(true, {1030, 10, 40, 40}, 1024, 768),
                            (CaptureRegion{1023, 10, 1, 40})));
}
