// Commands 130 and 131: the found designs in the state and on the window, the
// names that keep them, the region read from the screen and the overlay's scan mode.
#include "scan_command.h"

#include <gtest/gtest.h>

#include <string>

#include "keep_and_share.h"
#include "overlay_state.h"
#include "reduction_menu.h"
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

std::wstring counter_of(const ShellState& state) {
    WindowView view;
    describe_window(state, &view);
    return view.shows_counter ? view.counter : L"";
}

bool same_region(CaptureRegion a, CaptureRegion b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

TEST(FoundDesigns, AreShownSteppedAndNamedWhileTheGridStays) {
    ShellState state = state_showing_design_5_of_a_grid();
    accept_found_designs(state, 3);
    EXPECT_TRUE(state.median_cut);

    WindowView view;
    describe_window(state, &view);
    EXPECT_EQ(std::wstring(view.heading), L"QRコードを読み取りました");
    EXPECT_TRUE(view.shows_symbol);
    EXPECT_EQ(counter_of(state), L"左クリックで次のQRコードを表示(1/3)");
    EXPECT_TRUE(symbol_on_show(state) && designs_to_export_on_show(state));

    // Back from the first wraps to the last.
    ASSERT_TRUE(step_found_design(state, false));
    EXPECT_EQ(counter_of(state), L"左クリックで次のQRコードを表示(3/3)");
    wchar_t stem[64];
    propose_file_stem(state, L"page", L"old", stem, 64);
    EXPECT_EQ(std::wstring(stem), L"page-003");
    ASSERT_TRUE(go_to_end_found_design(state, false));
    EXPECT_EQ(state.found.shown, 0);

    // A reduction picked now converts nothing; the grid and its current design stay.
    EXPECT_FALSE(choose_reduction(state, ReductionKind::quality));
    EXPECT_EQ(state.display_mode, DisplayMode::found_design);
    EXPECT_EQ(state.grid.rows, 3);
    EXPECT_EQ(state.position.row, 2);

    // One design: no counter, nothing to step. Other modes don't step found designs.
    accept_found_designs(state, 1);
    EXPECT_EQ(counter_of(state), L"");
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

TEST(OverlayScanMode, DrawsAPlainBandWithoutTheRatioAndEscapeCancelsOnlyAScan) {
    OverlayState s;
    start_overlay_capture(&s);
    EXPECT_FALSE(overlay_escape_pressed(&s));
    EXPECT_TRUE(s.armed);
    EXPECT_EQ(overlay_band_grid(s, DesignGrid{3, 2}).columns, 3);

    start_overlay_scan(&s);
    EXPECT_EQ(overlay_band_grid(s, DesignGrid{3, 2}).columns, 1);
    EXPECT_EQ(overlay_band_grid(s, DesignGrid{3, 2}).rows, 1);
    note_overlay_painted(&s);
    note_shift_key(&s, true);
    overlay_left_pressed(&s, {100, 100});
    const OverlayStrokes moved = overlay_pointer_moved(&s, {300, 120}, 1, 1);
    ASSERT_EQ(moved.count, 2);
    EXPECT_EQ(moved.stroke[1].at, (CapturePoint{300, 120})) << "Shift does not lock a scan's band";
    EXPECT_TRUE(overlay_escape_pressed(&s));
    EXPECT_FALSE(s.armed);
    EXPECT_FALSE(overlay_escape_pressed(&s));
    // A capture after a scan is a capture again.
    start_overlay_capture(&s);
    EXPECT_EQ(s.purpose, OverlayPurpose::capture);
}
