// Pictures of every format the one reader takes, through commands 101, 102,
// 103 and 110: the widened file filters, PNG and JPEG files converted as their
// BMP twin and as the command-line tool converts them, and pictures too large
// to read refused with a message.
#include <gtest/gtest.h>

#include "cli_program.h"
#include "cli_records.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "preview_check.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

constexpr int kColumns = 2;  // picture_64x96.*
constexpr int kDesigns = 6;
constexpr int kDialogTimeoutMs = 10000;
// The file-type box of the open-file dialog (cmb1 in the dialog's template).
constexpr int kFileTypeBoxId = 0x470;

std::wstring combo_item(HWND box, int index) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(box, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, SMTO_NORMAL, 5000,
                        &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(box, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000, &copied);
    text.resize(copied);
    return text;
}

TEST(AnyPicture, FileDialogsOfferPicturesFirstThenAllFiles) {
    const struct {
        int command;
        const wchar_t* title;
    } commands[] = {{IDM_QR_FROM_IMAGE, kImageDialogTitle},
                    {IDM_QR_FROM_IMAGE_MEDIAN_CUT, kImageDialogTitle},
                    {IDM_OPEN_FITTED_PICTURE, kImageDialogTitle},
                    {IDM_DECODE_SCREENSHOT, kScreenshotDialogTitle}};
    RunningProgram program(scratch_folder(L"any_picture"));
    ASSERT_TRUE(program.started());
    for (const auto& c : commands) {
        PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(c.command, 0), 0);
        HWND dialog = wait_for_dialog(program.process_id(), c.title, kDialogTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "command " << c.command;
        HWND box = GetDlgItem(dialog, kFileTypeBoxId);
        ASSERT_NE(box, nullptr) << "command " << c.command;
        DWORD_PTR count = 0;
        SendMessageTimeoutW(box, CB_GETCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
        EXPECT_EQ(count, 2u) << "command " << c.command;
        EXPECT_EQ(combo_item(box, 0), L"画像ファイル (*.bmp;*.png;*.jpg;*.jpeg)");
        EXPECT_EQ(combo_item(box, 1), L"すべてのファイル (*.*)");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(wait_until([dialog] { return !IsWindow(dialog); }, kDialogTimeoutMs));
        ASSERT_TRUE(quiet(program));
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(AnyPicture, PngConvertsLikeItsBmpTwinAndJpegLikeTheCommandLine) {
    const DibPicture twin = read_bmp24(data_file(L"picture_64x96.bmp"));
    ASSERT_EQ(twin.width, 64);
    RunningProgram program(scratch_folder(L"any_picture"));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_64x96.png")));
    ASSERT_TRUE(quiet(program));
    for (int number = 1; number <= kDesigns; number += kDesigns - 1) {
        const Record record = record_of_design(twin, (number - 1) % kColumns,
                                               (number - 1) / kColumns, ReductionKind::merge);
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_texts(pixels, kImageHeading, counter_text(number, kDesigns)));
        EXPECT_TRUE(shows_symbol_of(pixels, record, "png_design_" + std::to_string(number)));
        program.click(false);  // 1, then back to 6
    }

    const std::wstring jpeg = data_file(L"picture_64x96.jpg");
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_QR_FROM_IMAGE_MEDIAN_CUT, kImageDialogTitle, jpeg));
    ASSERT_TRUE(quiet(program));
    for (int number = 1; number <= 2; ++number) {
        Record record{};
        std::string why;
        ASSERT_TRUE(cli_record(jpeg, number - 1, 0, L"--median", &record, &why)) << why;
        const ClientPixels pixels = program.look();
        EXPECT_TRUE(shows_symbol_of(pixels, record, "jpeg_design_" + std::to_string(number)));
        EXPECT_TRUE(shows_preview_of(pixels, record));
        program.click(true);
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(AnyPicture, PngScreenshotDecodes) {
    const std::wstring folder = scratch_folder(L"any_picture_shot");
    const Record record = random_record(210);
    const std::wstring dat = join_path(folder, L"record.dat");
    const std::wstring shot = join_path(folder, L"shot.png");
    ASSERT_TRUE(write_bytes(dat, std::vector<uint8_t>(record.begin(), record.end())));
    ASSERT_EQ(run_cli_program(L"shot \"" + dat + L"\" -o \"" + shot + L"\""), 0);
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_DECODE_SCREENSHOT, kScreenshotDialogTitle, shot));
    EXPECT_TRUE(answered_message(program, kDecodeWrittenMessage, kSuccessCaption));
    EXPECT_EQ(read_bytes(join_path(folder, L"output.dat")),
              std::vector<uint8_t>(record.begin(), record.end()));
    EXPECT_EQ(program.close(), 0);
}

TEST(AnyPicture, TooLargeAPictureIsRefusedWithAMessageAndTheShownDesignStays) {
    RunningProgram program(scratch_folder(L"any_picture"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    for (int command : {IDM_OPEN_FITTED_PICTURE, IDM_QR_FROM_IMAGE, IDM_QR_FROM_IMAGE_MEDIAN_CUT}) {
        ASSERT_TRUE(program.choose_file_for_command(command, kImageDialogTitle,
                                                    data_file(L"picture_too_wide.png")));
        EXPECT_TRUE(answered_message(program, kPictureTooLargeMessage, kErrorCaption))
            << "command " << command;
        EXPECT_TRUE(quiet(program));
        EXPECT_TRUE(program.look() == before) << "command " << command;
    }
    program.click(true);
    const DibPicture picture = read_bmp24(data_file(L"picture_64x96.bmp"));
    EXPECT_TRUE(shows_symbol_of(program.look(), record_of_design(picture, 0, 1, ReductionKind::merge),
                                "after_too_large"));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
