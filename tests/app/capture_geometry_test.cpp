// Marking a screen region: band lines, the aspect lock, the release region and
// the overlay's states.
#include "capture_geometry.h"

#include <gtest/gtest.h>

#include "design_count.h"
#include "overlay_state.h"

TEST(BandLines, SplitTheBandEvenlyWithTheOuterLinesOnItsEdges) {
    // 100 pixels in 3 columns: 33.33.. per column, truncated.
    EXPECT_EQ(band_line(10, 110, 3, 0), 10);
    EXPECT_EQ(band_line(10, 110, 3, 1), 43);
    EXPECT_EQ(band_line(10, 110, 3, 2), 76);
    EXPECT_EQ(band_line(10, 110, 3, 3), 110);
    // Dragged left: the lines run back from the anchor.
    EXPECT_EQ(band_line(110, 10, 3, 1), 76);
    EXPECT_EQ(band_line(110, 10, 3, 3), 10);
    // The whole sum is truncated, not the offset: 3 + (-1.5) = 1.5 gives 1.
    EXPECT_EQ(band_line(3, 0, 2, 1), 1);
    // 1:1 drags of 32 pixels a design put every line on a design boundary.
    for (int i = 0; i <= 5; ++i)
        EXPECT_EQ(band_line(200, 360, 5, i), 200 + 32 * i);
}

TEST(AspectLock, CutsTheBandToColumnsToRowsOnThePointersSide) {
    const CapturePoint a = {100, 100};
    // 2 x 1 grid, pointer far below: width decides, height = |dx| / 2.
    EXPECT_EQ(lock_aspect(a, {160, 300}, 2, 1), (CapturePoint{160, 130}));
    EXPECT_EQ(lock_aspect(a, {40, 300}, 2, 1), (CapturePoint{40, 130}));
    EXPECT_EQ(lock_aspect(a, {40, 0}, 2, 1), (CapturePoint{40, 70}));
    // Pointer far to the right: height decides, width = |dy| * 2.
    EXPECT_EQ(lock_aspect(a, {400, 120}, 2, 1), (CapturePoint{140, 120}));
    EXPECT_EQ(lock_aspect(a, {0, 80}, 2, 1), (CapturePoint{60, 80}));
    // An exact ratio stays; a tie keeps y.
    EXPECT_EQ(lock_aspect(a, {164, 132}, 2, 1), (CapturePoint{164, 132}));
    // Straight below or beside the anchor, the band collapses to the anchor's line.
    EXPECT_EQ(lock_aspect(a, {100, 250}, 3, 2), (CapturePoint{100, 100}));
    EXPECT_EQ(lock_aspect(a, {250, 100}, 3, 2), (CapturePoint{100, 100}));
    // Fractions are truncated: 3 x 7, dx = 10 gives a height of 23.33.
    EXPECT_EQ(lock_aspect(a, {110, 400}, 3, 7), (CapturePoint{110, 123}));
}

TEST(ReleaseRegion, KeepsSignsAndIsNeverEmpty) {
    const CaptureRegion down_right = release_region({10, 20}, {74, 52});
    EXPECT_EQ(down_right.x, 10);
    EXPECT_EQ(down_right.y, 20);
    EXPECT_EQ(down_right.width, 64);
    EXPECT_EQ(down_right.height, 32);
    const CaptureRegion up_left = release_region({74, 52}, {10, 20});
    EXPECT_EQ(up_left.width, -64);
    EXPECT_EQ(up_left.height, -32);
    const CaptureRegion click = release_region({5, 6}, {5, 6});
    EXPECT_EQ(click.width, 1);
    EXPECT_EQ(click.height, 1);
}

TEST(DesignCount, AllowsAtMostFortyDesigns) {
    EXPECT_TRUE(design_count_allowed(5, 8));
    EXPECT_TRUE(design_count_allowed(8, 5));
    EXPECT_TRUE(design_count_allowed(40, 1));
    EXPECT_TRUE(design_count_allowed(1, 40));
    EXPECT_TRUE(design_count_allowed(1, 1));
    EXPECT_FALSE(design_count_allowed(7, 6));
    EXPECT_FALSE(design_count_allowed(2, 21));
    EXPECT_FALSE(design_count_allowed(40, 40));
}

TEST(OverlayStates, HoverDragAndReleaseDrawMatchingStrokes) {
    OverlayState s;
    start_overlay_capture(&s);
    // Before the first paint, moves draw nothing.
    EXPECT_EQ(overlay_pointer_moved(&s, {5, 5}, 2, 1).count, 0);
    note_overlay_painted(&s);
    // The first move draws the crosshair; later ones erase it and draw anew.
    OverlayStrokes first = overlay_pointer_moved(&s, {10, 10}, 2, 1);
    ASSERT_EQ(first.count, 1);
    EXPECT_EQ(first.stroke[0].kind, StrokeKind::crosshair);
    OverlayStrokes second = overlay_pointer_moved(&s, {12, 11}, 2, 1);
    ASSERT_EQ(second.count, 2);
    EXPECT_EQ(second.stroke[0].at, (CapturePoint{10, 10}));
    EXPECT_EQ(second.stroke[1].at, (CapturePoint{12, 11}));
    // Pressing erases the crosshair and anchors an empty band.
    OverlayStrokes press = overlay_left_pressed(&s, {20, 20});
    ASSERT_EQ(press.count, 1);
    EXPECT_EQ(press.stroke[0].at, (CapturePoint{12, 11}));
    EXPECT_TRUE(s.dragging);
    // Each drag move erases the band at the previous point and draws it at the new one.
    OverlayStrokes drag = overlay_pointer_moved(&s, {84, 52}, 2, 1);
    ASSERT_EQ(drag.count, 2);
    EXPECT_EQ(drag.stroke[0].kind, StrokeKind::band);
    EXPECT_EQ(drag.stroke[0].at, (CapturePoint{20, 20}));
    EXPECT_EQ(drag.stroke[1].at, (CapturePoint{84, 52}));
    // Release erases the band last drawn and takes the region to the release point.
    OverlayRelease release = overlay_left_released(&s, {86, 54});
    ASSERT_EQ(release.strokes.count, 1);
    EXPECT_EQ(release.strokes.stroke[0].at, (CapturePoint{84, 52}));
    ASSERT_TRUE(release.has_region);
    EXPECT_EQ(release.region.width, 66);
    EXPECT_EQ(release.region.height, 34);
    EXPECT_FALSE(s.armed);
    EXPECT_FALSE(s.dragging);
    // No longer armed: a press is ignored.
    EXPECT_EQ(overlay_left_pressed(&s, {1, 1}).count, 0);
    EXPECT_FALSE(s.dragging);
}

TEST(OverlayStates, ShiftLocksTheBandButNotTheReleaseRegion) {
    OverlayState s;
    start_overlay_capture(&s);
    note_overlay_painted(&s);
    overlay_left_pressed(&s, {100, 100});
    note_shift_key(&s, true);
    OverlayStrokes drag = overlay_pointer_moved(&s, {300, 150}, 2, 1);
    EXPECT_EQ(drag.stroke[1].at, (CapturePoint{200, 150}));
    OverlayRelease release = overlay_left_released(&s, {300, 150});
    EXPECT_EQ(release.strokes.stroke[0].at, (CapturePoint{200, 150}));
    EXPECT_EQ(release.region.width, 200);
    EXPECT_EQ(release.region.height, 50);
    // A new capture forgets Shift.
    start_overlay_capture(&s);
    EXPECT_FALSE(s.shift_held);
}

TEST(OverlayStates, PressBeforePaintAndReleaseWithoutDrag) {
    OverlayState s;
    start_overlay_capture(&s);
    // A press before the first paint still starts the selection.
    EXPECT_EQ(overlay_left_pressed(&s, {7, 8}).count, 0);
    EXPECT_TRUE(s.dragging);
    OverlayRelease click = overlay_left_released(&s, {7, 8});
    ASSERT_TRUE(click.has_region);
    EXPECT_EQ(click.region.width, 1);
    EXPECT_EQ(click.region.height, 1);

    // A release with no press: no region, the full-screen grab stays.
    start_overlay_capture(&s);
    note_overlay_painted(&s);
    OverlayRelease bare = overlay_left_released(&s, {50, 50});
    EXPECT_FALSE(bare.has_region);
    EXPECT_EQ(bare.strokes.count, 0);
    EXPECT_FALSE(s.armed);
}

TEST(OverlayStates, ARepaintDrawsAgainWhatIsShown) {
    OverlayState s;
    start_overlay_capture(&s);
    EXPECT_EQ(overlay_shown_strokes(s).count, 0);
    note_overlay_painted(&s);
    overlay_pointer_moved(&s, {30, 40}, 3, 2);
    OverlayStrokes hover = overlay_shown_strokes(s);
    ASSERT_EQ(hover.count, 1);
    EXPECT_EQ(hover.stroke[0].kind, StrokeKind::crosshair);
    EXPECT_EQ(hover.stroke[0].at, (CapturePoint{30, 40}));
    overlay_left_pressed(&s, {30, 40});
    overlay_pointer_moved(&s, {90, 80}, 3, 2);
    OverlayStrokes drag = overlay_shown_strokes(s);
    ASSERT_EQ(drag.count, 1);
    EXPECT_EQ(drag.stroke[0].kind, StrokeKind::band);
    EXPECT_EQ(drag.stroke[0].anchor, (CapturePoint{30, 40}));
    EXPECT_EQ(drag.stroke[0].at, (CapturePoint{90, 80}));
    overlay_left_released(&s, {90, 80});
    EXPECT_EQ(overlay_shown_strokes(s).count, 0);
}
