// Command 110: a picture of any size fitted to a grid chosen in the
// design-count dialog, shown as brevane-cli's --fit converts it.
#include <gtest/gtest.h>

#include "capture_support.h"
#include "cli_records.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kDialogTimeoutMs = 10000;

// Command 110 with `picture` chosen: the design-count dialog it opens, or nullptr.
HWND open_fit_dialog(RunningProgram& program, const std::wstring& picture) {
    if (!program.choose_file_for_command(IDM_OPEN_FITTED_PICTURE, kImageDialogTitle, picture)) {
        return nullptr;
    }
    return wait_for_dialog(program.process_id(), kDesignCountDialogTitle, kDialogTimeoutMs);
}

TEST(FittedPicture, HundredBySixtyFourAtThreeByTwoShowsTheCommandLinesRecords) {
    const std::wstring picture = data_file(L"picture_100x64.bmp");
    RunningProgram program(scratch_folder(L"fitted"));
    ASSERT_TRUE(program.started());
    // A choice made before is reset: the fitted picture converts with the merge quantiser.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_QUALITY, 0), 0);
    ASSERT_TRUE(quiet(program));
    HWND dialog = open_fit_dialog(program, picture);
    ASSERT_NE(dialog, nullptr);
    // 100:64 is nearest 8:5 among the grids of at most 40 designs.
    EXPECT_EQ(selected_side(dialog, IDC_COLUMNS_BOX), 8);
    EXPECT_EQ(selected_side(dialog, IDC_ROWS_BOX), 5);
    choose_grid(dialog, 3, 2);
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    ASSERT_TRUE(quiet(program));
    for (int number = 1; number <= 6; ++number) {
        Record expected{};
        std::string why;
        ASSERT_TRUE(
            cli_record(picture, (number - 1) % 3, (number - 1) / 3, L"--fit 3x2", &expected, &why))
            << why;
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_texts(pixels, kImageHeading, counter_text(number, 6)));
        EXPECT_TRUE(shows_symbol_of(pixels, expected, "fitted_design_" + std::to_string(number)));
        EXPECT_TRUE(shows_preview_of(pixels, expected)) << "design " << number;
        program.click(true);
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(FittedPicture, CancelledGridLeavesWhatWasShown) {
    RunningProgram program(scratch_folder(L"fitted"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    HWND dialog = open_fit_dialog(program, data_file(L"picture_100x64.bmp"));
    ASSERT_NE(dialog, nullptr);
    click_dialog_button(dialog, IDCANCEL);
    ASSERT_TRUE(dialog_closed(dialog));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
