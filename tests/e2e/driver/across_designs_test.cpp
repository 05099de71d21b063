// Item 115: the dither across designs, computed once for the whole grid, shown
// while stepping and written by the export as brevane-cli's --across-designs.
#include <gtest/gtest.h>

#include "capture_support.h"
#include "cli_program.h"
#include "cli_records.h"
#include "e2e_environment.h"
#include "keep_support.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kDialogTimeoutMs = 10000;
constexpr int kDesigns = 6;  // 3 x 2

// Design `number`'s record as the command line exported it.
Record exported_record(const std::wstring& folder, int number) {
    wchar_t name[32];
    swprintf(name, 32, L"design-%03d.dat", number);
    const std::vector<uint8_t> bytes = read_bytes(join_path(folder, name));
    Record record{};
    if (bytes.size() == record.size()) {
        std::copy(bytes.begin(), bytes.end(), record.begin());
    }
    return record;
}

TEST(AcrossDesigns, PickedOnAThreeByTwoPictureShowsAndExportsTheCommandLinesRecords) {
    const std::wstring picture = data_file(L"picture_100x64.bmp");
    const std::wstring by_cli = scratch_folder(L"across_cli");
    const std::wstring by_window = scratch_folder(L"across_window");
    ASSERT_EQ(
        run_cli_program(L"export \"" + picture +
                        L"\" --reduce dither --across-designs --fit 3x2 -o \"" + by_cli + L"\""),
        0);
    RunningProgram program(scratch_folder(L"across"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_OPEN_FITTED_PICTURE, kImageDialogTitle, picture));
    HWND dialog = wait_for_dialog(program.process_id(), kDesignCountDialogTitle, kDialogTimeoutMs);
    ASSERT_NE(dialog, nullptr);
    choose_grid(dialog, 3, 2);
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    ASSERT_TRUE(quiet(program));
    program.click(true);
    ASSERT_TRUE(quiet(program));

    // Picking reduces the whole grid in the progress window (the main window
    // disabled meanwhile); design 2 stays on show.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_DITHER_ACROSS_DESIGNS, 0),
                 0);
    ASSERT_TRUE(wait_until(
        [&] {
            Record shown{};
            return IsWindowEnabled(program.main_window()) && shown_record(program.look(), &shown) &&
                   shown == exported_record(by_cli, 2);
        },
        kDialogTimeoutMs));
    ASSERT_TRUE(quiet(program));
    for (int step = 0; step < kDesigns; ++step) {
        const int number = (step + 1) % kDesigns + 1;  // from design 2 round to design 1
        const Record expected = exported_record(by_cli, number);
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_texts(pixels, kImageHeading, counter_text(number, kDesigns)));
        EXPECT_TRUE(shows_symbol_of(pixels, expected, "across_design_" + std::to_string(number)));
        EXPECT_TRUE(shows_preview_of(pixels, expected)) << "design " << number;
        program.click(true);
    }

    // The export writes the kept records, file for file as the command line does.
    ASSERT_TRUE(export_into(program, by_window));
    ASSERT_TRUE(quiet(program));
    const std::vector<std::wstring> names = files_in_folder(by_cli);
    ASSERT_EQ(names.size(), 3u * kDesigns + 1);
    EXPECT_EQ(files_in_folder(by_window), names);
    for (const std::wstring& name : names) {
        EXPECT_EQ(read_bytes(join_path(by_window, name)), read_bytes(join_path(by_cli, name)))
            << std::string(name.begin(), name.end());
    }
    EXPECT_EQ(program.close(), 0);
}

// A cancel in the progress window goes back to the reduction in force before:
// on a 32 x 32 grid, long enough to be cancelled, 高画質 converts design 1 again.
TEST(AcrossDesigns, CancelGoesBackToTheReductionBefore) {
    const std::wstring picture = data_file(L"picture_1024x1024.bmp");
    RunningProgram program(scratch_folder(L"across"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle, picture));
    ASSERT_TRUE(quiet(program));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_QUALITY, 0), 0);
    ASSERT_TRUE(quiet(program));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_DITHER_ACROSS_DESIGNS, 0),
                 0);
    HWND progress =
        wait_for_dialog(program.process_id(), kAcrossDesignsProgressTitle, kDialogTimeoutMs);
    ASSERT_NE(progress, nullptr);
    click_dialog_button(progress, IDCANCEL);
    ASSERT_TRUE(
        wait_until([&] { return IsWindowEnabled(program.main_window()) != 0; }, kDialogTimeoutMs));
    ASSERT_TRUE(quiet(program));
    Record expected{};
    std::string why;
    ASSERT_TRUE(cli_record(picture, 0, 0, L"--reduce quality", &expected, &why)) << why;
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kImageHeading, counter_text(1, 1024)));
    EXPECT_TRUE(shows_symbol_of(pixels, expected, "across_cancelled"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
