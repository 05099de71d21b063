// Command 130: a page picture holding three design codes among other marks,
// read, stepped through, kept and exported, and the refusals that leave what
// is shown as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_support.h"
#include "code_pages.h"
#include "e2e_environment.h"
#include "export_page.h"
#include "keep_support.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

testing::AssertionResult shows_found(RunningProgram& program, int number, int count,
                                     const Record& expected, const std::string& name) {
    const ClientPixels pixels = program.look();
    testing::AssertionResult texts =
        shows_texts(pixels, kFoundDesignHeading, count > 1 ? counter_text(number, count) : L"");
    return texts ? shows_symbol_of(pixels, expected, name) : texts;
}

TEST(ScanPicture, ThreeCodesOnAPageAreReadSteppedKeptAndExported) {
    const std::vector<Record> records = three_designs_of_picture_64x96();
    const std::wstring folder = scratch_folder(L"scan_picture");
    const std::wstring page = join_path(folder, L"page.png");
    ASSERT_TRUE(write_page_with_codes(page, records));

    RunningProgram program(folder);
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    // Refusals leave what is shown: a picture without codes, a damaged picture.
    ASSERT_TRUE(program.choose_file_for_command(IDM_SCAN_PICTURE, kScanPictureDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    EXPECT_TRUE(answered_message(program, kNoDesignFoundMessage, kPlainErrorCaption));
    ASSERT_TRUE(program.choose_file_for_command(IDM_SCAN_PICTURE, kScanPictureDialogTitle,
                                                data_file(L"picture_truncated.bmp")));
    EXPECT_TRUE(answered_message(program, kCannotOpenFileMessage, kPlainErrorCaption));
    clear_clipboard();
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SCAN_CLIPBOARD, 0), 0);
    EXPECT_TRUE(answered_message(program, kNoClipboardPictureMessage, kPlainErrorCaption));
    EXPECT_TRUE(program.look() == before);

    ASSERT_TRUE(program.choose_file_for_command(IDM_SCAN_PICTURE, kScanPictureDialogTitle, page));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_found(program, 1, 3, records[0], "scan_page_1"));
    program.click(true);
    EXPECT_TRUE(shows_found(program, 2, 3, records[1], "scan_page_2"));
    ASSERT_TRUE(press_keys(program, L"Left Left"));
    EXPECT_TRUE(shows_found(program, 3, 3, records[2], "scan_page_3"));
    ASSERT_TRUE(press_keys(program, L"Home"));
    EXPECT_TRUE(shows_found(program, 1, 3, records[0], "scan_page_home"));
    program.click(false);
    // A reduction picked now leaves the found design on show.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_QUALITY, 0), 0);
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_found(program, 3, 3, records[2], "scan_page_after_reduction"));

    // The shown one is saved under the page's name and its number.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE_DESIGN_FILE, 0), 0);
    HWND dialog = wait_for_save_dialog(program, kSaveDesignFileTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(file_name_box_text(dialog), L"page-003.dat");
    const std::wstring dat = join_path(folder, L"found.dat");
    ASSERT_TRUE(choose_file_in_dialog(dialog, dat));
    ASSERT_TRUE(quiet(program));
    EXPECT_EQ(read_bytes(dat), std::vector<uint8_t>(records[2].begin(), records[2].end()));

    // All of them are exported in reading order, titled with the page's file name.
    const std::wstring exported = scratch_folder(L"scan_export");
    ASSERT_TRUE(export_into(program, exported));
    ASSERT_TRUE(quiet(program));
    EXPECT_EQ(files_in_folder(exported).size(), 3u * records.size() + 1);
    for (size_t i = 0; i < records.size(); ++i) {
        const std::wstring name = L"design-00" + std::to_wstring(i + 1) + L".dat";
        EXPECT_EQ(read_bytes(join_path(exported, name)),
                  std::vector<uint8_t>(records[i].begin(), records[i].end()))
            << "design " << i + 1;
    }
    const std::vector<uint8_t> index = read_bytes(join_path(exported, kExportPageName));
    EXPECT_NE(std::string(index.begin(), index.end()).find("<title>page.png</title>"),
              std::string::npos);
    EXPECT_TRUE(shows_found(program, 3, 3, records[2], "scan_page_after_export"));

    // Command 132 reads the same page copied to the clipboard, and names it so.
    ASSERT_TRUE(put_dib_on_clipboard(picture_of_image(page_with_codes(records))));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SCAN_CLIPBOARD, 0), 0);
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_found(program, 1, 3, records[0], "scan_clipboard_1"));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE_DESIGN_FILE, 0), 0);
    dialog = wait_for_save_dialog(program, kSaveDesignFileTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(file_name_box_text(dialog), std::wstring(kClipboardSourceName) + L"-001.dat");
    const std::wstring clip_dat = join_path(folder, L"clip.dat");
    ASSERT_TRUE(choose_file_in_dialog(dialog, clip_dat));
    ASSERT_TRUE(quiet(program));
    EXPECT_EQ(read_bytes(clip_dat), std::vector<uint8_t>(records[0].begin(), records[0].end()));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
