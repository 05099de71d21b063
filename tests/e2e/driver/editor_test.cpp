// The pixel editor (140) over design 2 of picture_64x96.bmp, driven with the
// real pointer and keys, and what becomes of its edit: it is shown, kept
// through stepping, exported, and dropped only after the question.
#include <gtest/gtest.h>

#include "capture_support.h"
#include "e2e_environment.h"
#include "editor_layout.h"
#include "keep_support.h"
#include "message_texts.h"
#include "preview_check.h"
#include "record_edits.h"
#include "resource_ids.h"
#include "scenario_support.h"
#include "xdnd_drop.h"

namespace {

constexpr int kColumns = 2;  // picture_64x96.bmp: 2 x 3 designs
constexpr int kDesigns = 6;
constexpr int kInputSettleMs = 150;
const EditorLayout kEditor = editor_layout_at(96);

POINT on_screen(HWND dialog, int x, int y) {
    POINT point{x, y};
    ClientToScreen(dialog, &point);
    return point;
}

POINT middle_of(HWND dialog, const LayoutRect& rect) {
    return on_screen(dialog, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

POINT pixel_on_screen(HWND dialog, int x, int y) {
    return middle_of(dialog, canvas_cell_rect(kEditor, DesignPoint{x, y}));
}

POINT palette_colour_on_screen(HWND dialog, uint8_t code) {
    const int left = kEditor.palette.left + (code >> 4) * kEditor.palette_cell;
    const int top = kEditor.palette.top + (code & 0x0F) * kEditor.palette_cell;
    return on_screen(dialog, left + kEditor.palette_cell / 2, top + kEditor.palette_cell / 2);
}

// A press and release of `button` (1 left, 3 right) at the screen point.
bool click_at(RunningProgram& program, POINT at, int button = 1) {
    const int key = button == 1 ? VK_LBUTTON : VK_RBUTTON;
    const std::wstring name = std::to_wstring(button);
    const bool clicked = move_pointer(at.x, at.y) && input_keys(L"mousedown " + name, key, true) &&
                         input_keys(L"mouseup " + name, key, false);
    Sleep(kInputSettleMs);
    return clicked && program.settle();
}

uint32_t dialog_pixel(HWND dialog, POINT screen) {
    ScreenToClient(dialog, &screen);
    return capture_client(dialog).at(screen.x, screen.y);
}

// The dialog paints on its own time: waits until the pixel shows the colour.
bool dialog_shows(HWND dialog, POINT screen, uint32_t colour) {
    return wait_until([&] { return dialog_pixel(dialog, screen) == colour; }, 3000);
}

HWND open_editor(RunningProgram& program) {
    if (!press_keys(program, L"ctrl+e")) {
        return nullptr;
    }
    HWND dialog = wait_for_dialog(program.process_id(), kEditorTitle, 10000);
    Sleep(kInputSettleMs);
    return dialog;
}

class Editor : public testing::Test {
  protected:
    void SetUp() override { picture_ = read_bmp24(data_file(L"picture_64x96.bmp")); }

    Record record(int number) const {
        const int index = number - 1;
        return record_of_design(picture_, index % kColumns, index / kColumns, ReductionKind::merge);
    }

    static testing::AssertionResult shows(RunningProgram& program, int number,
                                          const Record& expected, const std::string& name) {
        const ClientPixels pixels = program.look();
        testing::AssertionResult result =
            shows_texts(pixels, kImageHeading, counter_text(number, kDesigns));
        if (result) {
            result = shows_symbol_of(pixels, expected, name);
        }
        return result ? shows_preview_of(pixels, expected) : result;
    }

    DibPicture picture_;
};

TEST_F(Editor, EditsDesignTwoWithThePointerKeepsItThroughSteppingAndExportAndAsksBeforeDroppingIt) {
    RunningProgram program(scratch_folder(L"editor"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    HWND dialog = open_editor(program);
    ASSERT_NE(dialog, nullptr);
    RECT outer{};
    GetWindowRect(dialog, &outer);
    EXPECT_LE(outer.right - outer.left, kEditorMaxWindowWidth);
    EXPECT_LE(outer.bottom - outer.top, kEditorMaxWindowHeight);

    // A fast stroke with slot 0, selected when the editor opens: one move, no gaps.
    Record expected = record(2);
    const POINT start = pixel_on_screen(dialog, 2, 3);
    const POINT end = pixel_on_screen(dialog, 29, 20);
    ASSERT_TRUE(move_pointer(start.x, start.y) && press_left_button() &&
                move_pointer(end.x, end.y) && release_left_button());
    paint_record_line(expected, 2, 3, 29, 20, 0);
    // A right click picks the slot of a pixel off the stroke; Shift fills with it.
    int picked = 0;
    DesignPoint pick{0, 0};
    for (int i = 0; i < kTilePixels && picked == 0; ++i) {
        pick = DesignPoint{i % kTileSide, i / kTileSide};
        picked = record_pixel_slot(expected, pick.x, pick.y);
    }
    ASSERT_NE(picked, 0) << "design 2 has one colour";
    ASSERT_TRUE(click_at(program, pixel_on_screen(dialog, pick.x, pick.y), 3));
    {
        ShiftHeld shift;
        ASSERT_TRUE(click_at(program, pixel_on_screen(dialog, 2, 3)));
    }
    fill_record_area(expected, 2, 3, picked);
    // Slot 0 gets another palette colour.
    ASSERT_TRUE(click_at(program, middle_of(dialog, {kEditor.swatches.left, kEditor.swatches.top,
                                                     kEditor.swatches.left + kEditor.swatch_side,
                                                     kEditor.swatches.bottom})));
    const uint8_t code = record_slot_code(expected, 0) == 0x23 ? 0x45 : 0x23;
    const POINT swatch = on_screen(dialog, kEditor.swatches.left + kEditor.swatch_side / 2,
                                   kEditor.swatches.top + kEditor.swatch_side / 2);
    const uint32_t before = dialog_pixel(dialog, swatch);
    ASSERT_TRUE(click_at(program, palette_colour_on_screen(dialog, code)));
    set_record_slot_code(expected, 0, code);
    uint32_t after = before;
    EXPECT_TRUE(wait_until([&] { return (after = dialog_pixel(dialog, swatch)) != before; }, 3000));
    // Ctrl+Z undoes the colour change; the button redoes it.
    ASSERT_TRUE(press_keys(program, L"ctrl+z"));
    EXPECT_TRUE(dialog_shows(dialog, swatch, before));
    click_dialog_button(dialog, IDC_EDITOR_REDO);
    EXPECT_TRUE(dialog_shows(dialog, swatch, after));

    // The name typed, the author set as another program would.
    HWND name_box = GetDlgItem(dialog, IDC_DESIGN_NAME_BOX);
    ASSERT_TRUE(click_at(program, middle_of(dialog, kEditor.name_box)));
    SendMessageW(name_box, EM_SETSEL, 0, -1);
    ASSERT_TRUE(press_keys(program, L"M u r a l space 7"));
    EXPECT_TRUE(wait_until([&] { return text_of(name_box) == L"Mural 7"; }, 5000));
    SendMessageW(GetDlgItem(dialog, IDC_AUTHOR_NAME_BOX), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"山田花子"));
    set_record_text(expected, kDesignNameField, u"Mural 7");
    set_record_text(expected, kAuthorNameField, u"山田花子");
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    EXPECT_TRUE(shows(program, 2, expected, "editor_design_2"));
    const ClientPixels pixels = program.look();
    const int name_right = kPreviewX + kPreviewWidth;
    EXPECT_EQ(
        compare_text_line(pixels, kPreviewX, kDesignNameLineY, L"Mural 7", nullptr, name_right),
        "");
    EXPECT_EQ(
        compare_text_line(pixels, kPreviewX, kAuthorNameLineY, L"山田花子", nullptr, name_right),
        "");

    // Stepping away and back shows the edit; the other designs stay as converted.
    ASSERT_TRUE(press_keys(program, L"Right"));
    EXPECT_TRUE(shows(program, 3, record(3), "editor_design_3"));
    ASSERT_TRUE(press_keys(program, L"Left"));
    EXPECT_TRUE(shows(program, 2, expected, "editor_design_2_again"));

    // Opening a picture asks first; いいえ keeps the edit.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_QR_FROM_IMAGE, 0), 0);
    MessageBoxView question = program.message_box();
    EXPECT_EQ(question.text, kDropEditsMessage);
    EXPECT_EQ(question.caption, kQuestionCaption);
    ASSERT_TRUE(answer_no(question));
    EXPECT_TRUE(shows(program, 2, expected, "editor_kept"));
    // A dropped picture asks the same.
    ASSERT_EQ(drop_files_on(program.main_window(), kDropPoint, {data_file(L"picture_32x32.bmp")}),
              DropOutcome::finished);
    question = program.message_box();
    EXPECT_EQ(question.text, kDropEditsMessage);
    ASSERT_TRUE(answer_no(question));
    EXPECT_TRUE(shows(program, 2, expected, "editor_kept_after_drop"));

    // The export writes it, beside the other designs as converted.
    const std::wstring folder = scratch_folder(L"editor_export");
    ASSERT_TRUE(export_into(program, folder));
    EXPECT_EQ(read_bytes(join_path(folder, L"design-002.dat")),
              std::vector<uint8_t>(expected.begin(), expected.end()));
    const Record first = record(1);
    EXPECT_EQ(read_bytes(join_path(folder, L"design-001.dat")),
              std::vector<uint8_t>(first.begin(), first.end()));

    // Naming every design is a later edit, unsaved again: "{n}" becomes each number.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_NAME_DESIGNS, 0), 0);
    dialog = wait_for_dialog(program.process_id(), kNameDesignsTitle, 10000);
    ASSERT_NE(dialog, nullptr);
    SendMessageW(GetDlgItem(dialog, IDC_DESIGN_NAME_BOX), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(L"壁画 {n}"));
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    set_record_text(expected, kDesignNameField, u"壁画 002");
    EXPECT_TRUE(shows(program, 2, expected, "editor_named"));
    // Closing the window asks too; いいえ keeps it open.
    PostMessageW(program.main_window(), WM_CLOSE, 0, 0);
    question = program.message_box();
    EXPECT_EQ(question.text, kCloseWithEditsMessage);
    ASSERT_TRUE(answer_no(question));
    ASSERT_TRUE(IsWindow(program.main_window()));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_QR_FROM_IMAGE, 0), 0);
    question = program.message_box();
    EXPECT_EQ(question.text, kDropEditsMessage);
    ASSERT_TRUE(answer(question, IDYES));
    HWND files = wait_for_dialog(program.process_id(), kImageDialogTitle, 10000);
    ASSERT_NE(files, nullptr);
    ASSERT_TRUE(choose_file_in_dialog(files, data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(press_keys(program, L"Right"));
    EXPECT_TRUE(shows(program, 2, record(2), "editor_dropped"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
