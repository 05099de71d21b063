// The README's screenshots, taken from the real program under Wine. Disabled
// in the suite; tools/take-screenshots.sh runs them and converts the BMP files
// they leave in the artifact folder into docs/*.png.
#include <gtest/gtest.h>

#include "capture_support.h"
#include "code_pages.h"
#include "e2e_environment.h"
#include "keep_support.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"
#include "screen_picture.h"

namespace {

// The picture tools/take-screenshots.sh writes for the capture, 480 x 320,
// shown in the middle of the 1024 x 768 screen.
constexpr wchar_t kCapturePicture[] = L"docs_plasma_480x320.bmp";
constexpr int kPictureX = 272;
constexpr int kPictureY = 224;

void keep_screen_part(int left, int top, int width, int height, const std::wstring& name) {
    const ClientPixels pixels = read_screen(left, top, width, height);
    write_bmp24(join_path(e2e_environment().artifacts, name), picture_of(pixels), false);
}

void keep_screen_rect(const RECT& rect, const std::wstring& name) {
    keep_screen_part(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, name);
}

void keep_window_showing_design_three(const std::wstring& name) {
    RunningProgram program(scratch_folder(L"docs"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    program.click(true);
    program.look();
    RECT frame{};
    GetWindowRect(program.main_window(), &frame);
    keep_screen_rect(frame, name);
    EXPECT_EQ(program.close(), 0);
}

TEST(DISABLED_DocsScreenshots, WindowShowingDesignThreeOfTwoByThree) {
    keep_window_showing_design_three(L"window.bmp");
}

// Run by tools/take-screenshots.sh in a prefix of its own at 144 DPI.
TEST(DISABLED_DocsScreenshotsAt144Dpi, WindowShowingDesignThreeOfTwoByThree) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    keep_window_showing_design_three(L"window-144dpi.bmp");
}

TEST(DISABLED_DocsScreenshots, EditorOverDesignThree) {
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    RunningProgram program(scratch_folder(L"docs"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    ASSERT_TRUE(press_keys(program, L"Right ctrl+e"));
    HWND editor = wait_for_dialog(program.process_id(), kEditorTitle, 10000);
    ASSERT_NE(editor, nullptr);
    // The pointer over a pixel, so that its position and slot show.
    POINT pixel{8 + 12 * 20 + 6, 8 + 12 * 12 + 6};
    ClientToScreen(editor, &pixel);
    ASSERT_TRUE(move_pointer(pixel.x, pixel.y));
    Sleep(500);
    RECT frame{};
    GetWindowRect(editor, &frame);
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&frame, &frame, &screen);
    keep_screen_rect(frame, L"editor.bmp");
    PostMessageW(GetDlgItem(editor, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_EQ(program.close(), 0);
}

TEST(DISABLED_DocsScreenshots, ReductionMenuOpenWithQualityChecked) {
    RunningProgram program(scratch_folder(L"docs"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_QUALITY, 0), 0);
    program.look();
    RECT frame{};
    GetWindowRect(program.main_window(), &frame);
    // The fourth title of the menu bar, as the window shows it.
    POINT title{245, 0};
    ClientToScreen(program.main_window(), &title);
    ASSERT_TRUE(move_pointer(title.x, title.y - 8));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(release_left_button());
    Sleep(500);
    keep_screen_rect(frame, L"menu.bmp");
    ASSERT_TRUE(move_pointer(title.x, title.y - 8));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(release_left_button());
    EXPECT_EQ(program.close(), 0);
}

TEST(DISABLED_DocsScreenshots, SecondOfThreeCodesFoundOnAPageWithTheDropDownOpen) {
    const std::wstring folder = scratch_folder(L"docs_scan");
    const std::wstring page = join_path(folder, L"page.png");
    ASSERT_TRUE(write_page_with_codes(page, three_designs_of_picture_64x96()));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_SCAN_PICTURE, kScanPictureDialogTitle, page));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    program.look();
    // The fifth title of the menu bar, as the window shows it.
    POINT title{305, 0};
    ClientToScreen(program.main_window(), &title);
    ASSERT_TRUE(move_pointer(title.x, title.y - 8));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(release_left_button());
    Sleep(500);
    RECT frame{};
    GetWindowRect(program.main_window(), &frame);
    for (HWND menu : top_level_windows(program.process_id(), L"#32768")) {
        RECT drop_down{};
        if (IsWindowVisible(menu) && GetWindowRect(menu, &drop_down)) {
            UnionRect(&frame, &frame, &drop_down);
        }
    }
    keep_screen_rect(frame, L"scan.bmp");
    ASSERT_TRUE(move_pointer(title.x, title.y - 8));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(release_left_button());
    EXPECT_EQ(program.close(), 0);
}

TEST(DISABLED_DocsScreenshots, CaptureBandOfThreeByTwo) {
    const DibPicture picture = read_bmp24(data_file(kCapturePicture));
    ASSERT_EQ(picture.width, 480);
    ScreenPicture shown(picture, kPictureX, kPictureY);
    ASSERT_TRUE(shown.shown());
    RunningProgram program(scratch_folder(L"docs"));
    ASSERT_TRUE(program.started());
    HWND dialog = open_design_count_dialog(program);
    ASSERT_NE(dialog, nullptr);
    choose_grid(dialog, 3, 2);
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    HWND overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    // A band of 360 x 240 pixels: 120 x 120 for each design.
    const int left = kPictureX + 60;
    const int top = kPictureY + 40;
    const int right = left + 360;
    const int bottom = top + 240;
    ASSERT_TRUE(move_pointer(left, top));
    ASSERT_TRUE(press_left_button());
    ASSERT_TRUE(move_pointer((left + right) / 2, (top + bottom) / 2));
    ASSERT_TRUE(move_pointer(right, bottom));
    Sleep(300);
    keep_screen_part(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     L"capture.bmp");
    ASSERT_TRUE(release_left_button());
    EXPECT_TRUE(main_window_back(program, overlay));
    EXPECT_EQ(program.close(), 0);
}

TEST(DISABLED_DocsScreenshots, ExportInProgress) {
    RunningProgram program(scratch_folder(L"docs"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_1024x1024.bmp")));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_DITHER, 0), 0);
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(start_export_into(program, scratch_folder(L"docs_export")));
    HWND progress = wait_for_dialog(program.process_id(), kExportProgressTitle, 10000);
    ASSERT_NE(progress, nullptr);
    Sleep(1500);
    RECT frame{};
    GetWindowRect(program.main_window(), &frame);
    RECT box{};
    GetWindowRect(progress, &box);
    UnionRect(&frame, &frame, &box);
    keep_screen_rect(frame, L"export.bmp");
    ASSERT_TRUE(cancel_export_after_some_designs(program));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
