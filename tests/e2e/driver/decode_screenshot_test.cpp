// Command 101: a screenshot decoded into "output.dat".
#include <gtest/gtest.h>

#include <vector>

#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

bool decode(RunningProgram& program, const std::wstring& path) {
    return program.choose_file_for_command(IDM_DECODE_SCREENSHOT, kScreenshotDialogTitle, path);
}

// Files of the folder other than `except` and "output.dat".
std::vector<std::wstring> other_files(const std::wstring& folder, const std::wstring& except) {
    std::vector<std::wstring> names = files_in_folder(folder);
    std::erase_if(
        names, [&](const std::wstring& name) { return name == except || name == L"output.dat"; });
    return names;
}

TEST(DecodeScreenshot, WritesTheRecordToOutputDatInTheScreenshotsFolder) {
    const std::wstring start_folder = scratch_folder(L"decode_start");
    const std::wstring shot_folder = scratch_folder(L"decode_shots");
    const Record record = random_record(200);
    const std::wstring shot = join_path(shot_folder, L"shot.bmp");
    ASSERT_TRUE(write_bmp24(shot, screenshot_of(symbol_of(record)), false));
    // An older output.dat is replaced whole.
    ASSERT_TRUE(write_bytes(join_path(shot_folder, L"output.dat"), std::vector<uint8_t>(900, 7)));

    RunningProgram program(start_folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(decode(program, shot));
    EXPECT_TRUE(answered_message(program, kDecodeWrittenMessage, kSuccessCaption));
    const std::vector<uint8_t> written = read_bytes(join_path(shot_folder, L"output.dat"));
    EXPECT_EQ(written, std::vector<uint8_t>(record.begin(), record.end()));
    EXPECT_FALSE(file_exists(join_path(start_folder, L"output.dat")));
    EXPECT_TRUE(other_files(shot_folder, L"shot.bmp").empty()) << "a temporary file was left";
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kPlaceholderText, L""));
    EXPECT_TRUE(symbol_area_blank(pixels));
    EXPECT_EQ(program.close(), 0);
}

TEST(DecodeScreenshot, TopDownScreenshotDecodesToo) {
    const std::wstring folder = scratch_folder(L"decode_top_down");
    const Record record = random_record(201);
    const std::wstring shot = join_path(folder, L"shot_top_down.bmp");
    ASSERT_TRUE(write_bmp24(shot, screenshot_of(symbol_of(record)), true));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(decode(program, shot));
    EXPECT_TRUE(answered_message(program, kDecodeWrittenMessage, kSuccessCaption));
    EXPECT_EQ(read_bytes(join_path(folder, L"output.dat")),
              std::vector<uint8_t>(record.begin(), record.end()));
    EXPECT_EQ(program.close(), 0);
}

TEST(DecodeScreenshot, OtherSizesAreRefusedAndChangeNothing) {
    const std::wstring folder = scratch_folder(L"decode_refused");
    const Record record = random_record(202);
    const std::wstring design = join_path(folder, L"design.dat");
    ASSERT_TRUE(write_bytes(design, std::vector<uint8_t>(record.begin(), record.end())));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(
        program.choose_file_for_command(IDM_OPEN_DESIGN_FILE, kDesignFileDialogTitle, design));
    ASSERT_TRUE(quiet(program));
    const ClientPixels before = program.look();

    ASSERT_TRUE(decode(program, data_file(L"shot_400x241.bmp")));
    EXPECT_TRUE(answered_message(program, kScreenshotSizeMessage, kErrorCaption));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    EXPECT_FALSE(file_exists(join_path(folder, L"output.dat")));
    EXPECT_EQ(program.close(), 0);
}

TEST(DecodeScreenshot, NoSymbolReportsFailureAndLeavesOutputDatAlone) {
    const std::wstring folder = scratch_folder(L"decode_failure");
    const std::vector<uint8_t> previous = {'k', 'e', 'e', 'p'};
    ASSERT_TRUE(write_bytes(join_path(folder, L"output.dat"), previous));
    const std::wstring blank = join_path(folder, L"blank.bmp");
    ASSERT_TRUE(CopyFileW(data_file(L"shot_without_symbol.bmp").c_str(), blank.c_str(), FALSE));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(decode(program, blank));
    EXPECT_TRUE(answered_message(program, kDecodeFailedMessage, kErrorCaption));
    EXPECT_EQ(read_bytes(join_path(folder, L"output.dat")), previous);
    EXPECT_TRUE(other_files(folder, L"blank.bmp").empty());
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kPlaceholderText, L""));
    EXPECT_TRUE(symbol_area_blank(pixels));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
