// Keeping what the window makes: the QR code and the design saved and copied
// (120, 121, 123), every design exported (122), and the keys of the main window.
#include <gtest/gtest.h>

#include <algorithm>

#include "capture_support.h"
#include "cli_program.h"
#include "e2e_environment.h"
#include "export_page.h"
#include "keep_support.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kColumns = 2;  // picture_64x96.bmp: 2 x 3 designs
constexpr int kDesigns = 6;
constexpr char kCaptureTitleUtf8[] = "<title>キャプチャ</title>";

class KeepAndShare : public testing::Test {
  protected:
    void SetUp() override { picture_ = read_bmp24(data_file(L"picture_64x96.bmp")); }

    Record record(int number, ReductionKind quantizer = ReductionKind::merge) const {
        const int index = number - 1;
        return record_of_design(picture_, index % kColumns, index / kColumns, quantizer);
    }

    static bool open_picture(RunningProgram& program) {
        return program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                               data_file(L"picture_64x96.bmp"));
    }

    testing::AssertionResult shows_design(RunningProgram& program, int number,
                                          const std::string& name) const {
        const ClientPixels pixels = program.look();
        testing::AssertionResult texts =
            shows_texts(pixels, kImageHeading, counter_text(number, kDesigns));
        return texts ? shows_symbol_of(pixels, record(number), name) : texts;
    }

    DibPicture picture_;
};

TEST_F(KeepAndShare, KeysStepAsClicksDoAndSaveAndCopyTheShownDesign) {
    const std::wstring folder = scratch_folder(L"keep");
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    // Before any symbol the keys do nothing.
    ASSERT_TRUE(press_keys(program, L"ctrl+s Right"));
    EXPECT_FALSE(save_dialog_opened(program, kSaveQrPictureTitle));
    ASSERT_TRUE(open_picture(program));
    ASSERT_TRUE(quiet(program));

    // → and ← step like the buttons, End and Home go to the ends; all wrap as clicks do.
    ASSERT_TRUE(press_keys(program, L"Right"));
    EXPECT_TRUE(shows_design(program, 2, "keys_right"));
    ASSERT_TRUE(press_keys(program, L"End"));
    EXPECT_TRUE(shows_design(program, 6, "keys_end"));
    ASSERT_TRUE(press_keys(program, L"Right"));
    EXPECT_TRUE(shows_design(program, 1, "keys_wrap"));
    ASSERT_TRUE(press_keys(program, L"Left Left"));
    EXPECT_TRUE(shows_design(program, 5, "keys_left"));
    ASSERT_TRUE(press_keys(program, L"Home Right Right"));
    EXPECT_TRUE(shows_design(program, 3, "keys_home"));

    // Ctrl+S proposes the picture's name and the design number, and writes what
    // brevane-cli's "qr" writes: one grey channel, 4 pixels a module, 4 modules of margin.
    const Record shown = record(3);
    ASSERT_TRUE(press_keys(program, L"ctrl+s"));
    HWND dialog = wait_for_save_dialog(program, kSaveQrPictureTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(file_name_box_text(dialog), L"picture_64x96-003.png");
    const std::wstring png = join_path(folder, L"design 3.png");
    ASSERT_TRUE(choose_file_in_dialog(dialog, png));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(is_grey_png(read_bytes(png)));
    EXPECT_TRUE(is_qr_picture_of(read_picture_file(png), shown));
    keep_for_zbar(read_picture_file(png), shown, "saved_qr_picture");

    // 121 saves the record itself.
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE_DESIGN_FILE, 0), 0);
    dialog = wait_for_save_dialog(program, kSaveDesignFileTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(file_name_box_text(dialog), L"picture_64x96-003.dat");
    const std::wstring dat = join_path(folder, L"design 3.dat");
    ASSERT_TRUE(choose_file_in_dialog(dialog, dat));
    ASSERT_TRUE(quiet(program));
    EXPECT_EQ(read_bytes(dat), std::vector<uint8_t>(shown.begin(), shown.end()));

    // Ctrl+C puts the same picture on the clipboard as a DIB.
    clear_clipboard();
    ASSERT_TRUE(press_keys(program, L"ctrl+c"));
    const DibPicture copied = wait_for_clipboard_dib();
    EXPECT_TRUE(is_qr_picture_of(copied, shown));
    keep_for_zbar(copied, shown, "copied_qr_picture");

    // A folder that refuses new files: one message naming the file, nothing else changes.
    const std::wstring read_only = path_from_environment(L"BREVANE_READ_ONLY_FOLDER");
    ASSERT_FALSE(read_only.empty()) << "BREVANE_READ_ONLY_FOLDER is not set";
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_SAVE_QR_PICTURE, 0), 0);
    dialog = wait_for_save_dialog(program, kSaveQrPictureTitle);
    ASSERT_NE(dialog, nullptr);
    const std::wstring refused = join_path(read_only, L"design 3.png");
    ASSERT_TRUE(choose_file_in_dialog(dialog, refused));
    EXPECT_TRUE(answered_message(program, L"ファイルを書き込めませんでした: " + refused,
                                 kPlainErrorCaption));
    EXPECT_TRUE(files_in_folder(read_only).empty());
    EXPECT_TRUE(shows_design(program, 3, "keys_after_failed_save"));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(KeepAndShare, ExportEqualsTheCommandLineToolFileForFileAndAsksBeforeReplacingAnExport) {
    const std::wstring by_window = scratch_folder(L"export_window");
    const std::wstring by_cli = scratch_folder(L"export_cli");
    RunningProgram program(scratch_folder(L"export"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_picture(program));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_QUALITY, 0), 0);
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(export_into(program, by_window));
    ASSERT_TRUE(quiet(program));
    ASSERT_EQ(run_cli_program(L"export \"" + data_file(L"picture_64x96.bmp") +
                              L"\" --reduce quality -o \"" + by_cli + L"\""),
              0);
    // The export ran every design through the codec; a paint afresh, as after a
    // resize, still shows design 1's symbol.
    ASSERT_TRUE(InvalidateRect(program.main_window(), nullptr, TRUE));
    Record repainted{};
    ASSERT_TRUE(shown_record(program.look(), &repainted));
    EXPECT_EQ(std::vector<uint8_t>(repainted.begin(), repainted.end()),
              read_bytes(join_path(by_cli, L"design-001.dat")));
    const std::vector<std::wstring> names = files_in_folder(by_cli);
    ASSERT_EQ(names.size(), 3u * kDesigns + 1);
    EXPECT_EQ(files_in_folder(by_window), names);
    for (const std::wstring& name : names) {
        EXPECT_EQ(read_bytes(join_path(by_window, name)), read_bytes(join_path(by_cli, name)))
            << std::string(name.begin(), name.end());
    }

    // The folder holds an export now: "No" leaves it as it is.
    const std::wstring first = join_path(by_window, L"design-001.dat");
    ASSERT_TRUE(DeleteFileW(first.c_str()));
    ASSERT_TRUE(start_export_into(program, by_window));
    const MessageBoxView question = program.message_box();
    ASSERT_NE(question.window, nullptr);
    EXPECT_EQ(question.text, kExportOverwriteMessage);
    ASSERT_TRUE(answer_no(question));
    ASSERT_TRUE(quiet(program));
    EXPECT_FALSE(file_exists(first));
    EXPECT_EQ(program.close(), 0);
}

TEST_F(KeepAndShare, CancelledAndFailedExportsLeaveOnlyWholeDesignsAndNoPage) {
    // 32 x 32 designs, dithered: long enough to be cancelled half way.
    const std::wstring big = data_file(L"picture_1024x1024.bmp");
    const std::wstring cancelled = scratch_folder(L"export_cancelled");
    RunningProgram program(scratch_folder(L"export_failures"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle, big));
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_REDUCE_DITHER, 0), 0);
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(start_export_into(program, cancelled));
    ASSERT_TRUE(cancel_export_after_some_designs(program));
    ASSERT_TRUE(quiet(program));
    const int kept = whole_designs_only(cancelled);
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, 32 * 32);
    EXPECT_FALSE(file_exists(join_path(cancelled, kExportPageName)));

    // A folder that refuses new files: one message naming the first file, nothing written.
    const std::wstring read_only = path_from_environment(L"BREVANE_READ_ONLY_FOLDER");
    ASSERT_FALSE(read_only.empty()) << "BREVANE_READ_ONLY_FOLDER is not set";
    ASSERT_TRUE(start_export_into(program, read_only));
    EXPECT_TRUE(answered_message(
        program, L"ファイルを書き込めませんでした: " + join_path(read_only, L"design-001.dat"),
        kPlainErrorCaption));
    EXPECT_TRUE(files_in_folder(read_only).empty());
    EXPECT_EQ(program.close(), 0);
}

TEST_F(KeepAndShare, TheCaptureOverlayKeepsItsOwnKeysAndACaptureExports) {
    RunningProgram program(scratch_folder(L"keep_overlay"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_picture(program));
    ASSERT_TRUE(quiet(program));
    HWND dialog = open_design_count_dialog(program);
    ASSERT_NE(dialog, nullptr);
    // Not while the dialog is up either.
    ASSERT_TRUE(press_keys(program, L"ctrl+s Right"));
    EXPECT_FALSE(save_dialog_opened(program, kSaveQrPictureTitle));
    choose_grid(dialog, 1, 1);
    click_dialog_button(dialog, IDOK);
    ASSERT_TRUE(dialog_closed(dialog));
    HWND overlay = wait_for_overlay(program);
    ASSERT_NE(overlay, nullptr);
    ASSERT_TRUE(press_keys(program, L"ctrl+s ctrl+c End Right"));
    EXPECT_FALSE(save_dialog_opened(program, kSaveQrPictureTitle));
    EXPECT_TRUE(IsWindowVisible(overlay));
    // The overlay still ends with a drag as before.
    ASSERT_TRUE(move_pointer(20, 20) && press_left_button() && move_pointer(40, 40) &&
                move_pointer(60, 60) && release_left_button());
    ASSERT_TRUE(main_window_back(program, overlay));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kImageHeading, L""));

    // A capture has no file, and exports all the same: the record it shows, under its own title.
    Record shown{};
    ASSERT_TRUE(shown_record(pixels, &shown));
    const std::wstring folder = scratch_folder(L"export_capture");
    ASSERT_TRUE(export_into(program, folder));
    EXPECT_EQ(read_bytes(join_path(folder, L"design-001.dat")),
              std::vector<uint8_t>(shown.begin(), shown.end()));
    const std::vector<uint8_t> page = read_bytes(join_path(folder, kExportPageName));
    EXPECT_NE(std::string(page.begin(), page.end()).find(kCaptureTitleUtf8), std::string::npos);
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
