// The editor's session and history, the edits' marks and questions, and its layout.
#include <gtest/gtest.h>

#include "design_edits.h"
#include "editor_session.h"
#include "file_commands.h"
#include "palette.h"
#include "reduction_menu.h"
#include "resource_ids.h"

namespace {

RecordBytes numbered_record(int seed) {
    RecordBytes record{};
    for (int i = 0; i < kDesignRecordSize; ++i) {
        record[i] = static_cast<uint8_t>(i * 7 + seed);
    }
    for (int i = kPixelDataOffset; i < kDesignRecordSize; ++i) {
        record[i] &= 0x33;  // slots 0 to 3 only
    }
    return record;
}

TEST(EditorSession, StrokesFillsAndColoursAreStepsThatUndoBackToTheRecordOpened) {
    static EditorSession session;
    const RecordBytes opened = numbered_record(1);
    begin_editing(session, opened);
    EXPECT_FALSE(press_left(session, DesignPoint{-1, 5}, false));  // off the design
    // A Shift-press fills the area of the nibble; the drag after it paints nothing.
    ASSERT_TRUE(press_left(session, DesignPoint{0, 0}, true));
    RecordBytes filled = opened;
    fill_record_area(filled, 0, 0, 0);
    drag_to(session, DesignPoint{31, 31});
    release_left(session);
    EXPECT_EQ(session.record, filled);
    // A stroke to a point off the design paints the line up to its edge, as one step.
    session.selected_slot = 2;
    ASSERT_TRUE(press_left(session, DesignPoint{4, 4}, false));
    drag_to(session, DesignPoint{40, 4});
    release_left(session);
    for (int x = 4; x < kTileSide; ++x) {
        EXPECT_EQ(record_pixel_slot(session.record, x, 4), 2) << x;
    }
    EXPECT_FALSE(give_code(session, record_slot_code(session.record, 2)));  // no change, no step
    ASSERT_TRUE(give_code(session, 0x23));
    ASSERT_TRUE(pick_slot(session, DesignPoint{0, 0}));
    EXPECT_EQ(session.selected_slot, record_pixel_slot(session.record, 0, 0));
    set_record_pixel_slot(session.record, 1, 1, kNoSlot);
    EXPECT_FALSE(pick_slot(session, DesignPoint{1, 1}));
    set_record_pixel_slot(session.record, 1, 1, record_pixel_slot(opened, 1, 1));
    EXPECT_TRUE(undo_edit(session) && undo_edit(session) && redo_edit(session) && undo_edit(session));
    EXPECT_EQ(session.record, filled);
    EXPECT_TRUE(undo_edit(session));
    EXPECT_EQ(session.record, opened);
    EXPECT_FALSE(undo_edit(session));

    // Texts: an unchanged box leaves its field byte for byte, garbage after the
    // zero unit included; a changed one is cut to fit, never after a lone high surrogate.
    RecordBytes with_garbage = opened;
    with_garbage[kDesignNameOffset + 4] = 0;
    with_garbage[kDesignNameOffset + 5] = 0;
    begin_editing(session, with_garbage);
    const char16_t same[] = {static_cast<char16_t>(with_garbage[0] | with_garbage[1] << 8),
                             static_cast<char16_t>(with_garbage[2] | with_garbage[3] << 8)};
    const char16_t author[] = u"123456789\xD83D";
    const RecordBytes closed = record_with_texts(session, same, 2, author, 10);
    EXPECT_TRUE(std::equal(closed.begin(), closed.begin() + kDesignNameLength, with_garbage.begin()));
    char16_t units[kAuthorNameLength / 2];
    EXPECT_EQ(std::u16string_view(units, record_text_units(closed, kAuthorNameField, units, 10)),
              u"123456789");
}

TEST(EditHistory, KeepsTheLast256StepsAndForgetsUndoneOnesAtANewStep) {
    static EditHistory history;
    RecordBytes record{};
    begin_history(history, record);
    EXPECT_FALSE(record_step(history, record));
    for (int step = 1; step <= 300; ++step) {
        record[0] = static_cast<uint8_t>(step);
        record[1] = static_cast<uint8_t>(step >> 8);
        ASSERT_TRUE(record_step(history, record));
    }
    int undone = 0;
    while (undo_step(history, &record)) {
        ++undone;
    }
    EXPECT_EQ(undone, 256);
    EXPECT_EQ(record[0] | record[1] << 8, 300 - 256);
    ASSERT_TRUE(redo_step(history, &record));
    record[2] = 1;
    ASSERT_TRUE(record_step(history, record));
    EXPECT_FALSE(redo_step(history, &record));
}

TEST(DesignEdits, CommandsAskOnlyWhileAnEditIsUnsavedAndOnlyThoseThatMayDropIt) {
    ShellState state;
    accept_image(state, PictureSize{64, 96}, ImageCommand::merge);
    state.display_mode = DisplayMode::current_design;
    DesignEditMark marks[6];
    ASSERT_EQ(editable_design_count(state), 6);
    EXPECT_FALSE(command_asks_before_dropping_edits(state, IDM_QR_FROM_IMAGE, false));
    mark_design_edited(state, marks, 3);
    EXPECT_TRUE(any_unsaved(marks, 6));
    for (int command : {IDM_OPEN_DESIGN_FILE, IDM_CAPTURE, IDM_REDUCE_QUALITY, IDM_SCAN_SCREEN,
                        IDM_SCAN_CLIPBOARD,
                        kDroppedFileCommand}) {
        EXPECT_TRUE(command_asks_before_dropping_edits(state, command, true)) << command;
    }
    EXPECT_FALSE(command_asks_before_dropping_edits(state, IDM_SAVE_DESIGN_FILE, true));
    state.display_mode = DisplayMode::found_design;
    EXPECT_FALSE(command_asks_before_dropping_edits(state, IDM_REDUCE_QUALITY, true));
    EXPECT_FALSE(choose_reduction(state, ReductionKind::quality));  // found designs stay...
    EXPECT_TRUE(state.edits_held);                                  // ...with their edits
    mark_all_saved(marks, 6);
    EXPECT_FALSE(any_unsaved(marks, 6));
    accept_design_file(state);
    EXPECT_FALSE(state.edits_held);
}

TEST(DesignEdits, NumbersInNamesHaveAtLeastThreeDigitsAndMustFit) {
    char16_t out[kDesignNameMaxUnits];
    const std::u16string_view pattern = u"壁画 {n}/{n";
    int length = expand_design_name(pattern.data(), static_cast<int>(pattern.size()), 7, out,
                                    kDesignNameMaxUnits);
    EXPECT_EQ(std::u16string_view(out, length), u"壁画 007/{n");
    length = expand_design_name(pattern.data(), 6, 1000, out, kDesignNameMaxUnits);
    EXPECT_EQ(std::u16string_view(out, length), u"壁画 1000");
    EXPECT_EQ(expand_design_name(u"12345678901234567{n}", 20, 1000, out, kDesignNameMaxUnits), -1);
}

TEST(EditorLayout, FitsItsLimitAtNinetySixDpiAndEveryClickFindsWhatIsDrawnThere) {
    const EditorLayout base = editor_layout_at(96);
    // The frame and caption of a fixed dialog at 96 DPI, a little more than Windows takes.
    EXPECT_LE(base.client_width + 8, kEditorMaxWindowWidth);
    EXPECT_LE(base.client_height + 40, kEditorMaxWindowHeight);
    EXPECT_EQ(base.cell, 12);
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        SCOPED_TRACE(dpi);
        const EditorLayout layout = editor_layout_at(dpi);
        const LayoutRect corner = canvas_cell_rect(layout, DesignPoint{31, 0});
        const DesignPoint found = design_point_at(layout, corner.right - 1, corner.top + 1);
        EXPECT_TRUE(found.x == 31 && found.y == 0);
        EXPECT_FALSE(inside_design(design_point_at(layout, layout.canvas.left - 1, corner.top)));
        EXPECT_EQ(swatch_at(layout, layout.swatches.right - 1, layout.swatches.top), 14);
        EXPECT_EQ(palette_code_at(layout, layout.palette.left + 3 * layout.palette_cell,
                                  layout.palette.top + 8 * layout.palette_cell), 0x38);
        EXPECT_EQ(palette_code_at(layout, layout.palette.left, layout.grey_row_top), 0x0F);
        EXPECT_LE(layout.canvas.right, layout.preview.left);
        EXPECT_LE(layout.preview.bottom, layout.swatches.top);
        EXPECT_LE(layout.swatches.bottom, layout.palette.top);
        EXPECT_LE(layout.palette.bottom, layout.name_box.top);
        EXPECT_LE(layout.name_box.bottom, layout.author_box.top);
        EXPECT_LE(std::max(layout.canvas.bottom, layout.author_box.bottom), layout.ok_button.top);
        EXPECT_LE(layout.redo_button.right, layout.ok_button.left);
        EXPECT_LE(layout.cancel_button.bottom, layout.client_height);
        EXPECT_LE(layout.name_box.right, layout.client_width);
    }
}

}  // namespace
