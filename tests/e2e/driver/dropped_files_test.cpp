// Files dropped on the window over XDND, and files named on the command line.
#include <gtest/gtest.h>

#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"
#include "xdnd_drop.h"

namespace {

constexpr int kDesignsOf64x96 = 6;

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

// The window shows the first design of picture_64x96 as command 102 makes it.
testing::AssertionResult shows_first_design_of_64x96(RunningProgram& program,
                                                     const std::string& name) {
    const DibPicture picture = read_bmp24(data_file(L"picture_64x96.bmp"));
    const ClientPixels pixels = program.look();
    if (testing::AssertionResult texts =
            shows_texts(pixels, kImageHeading, counter_text(1, kDesignsOf64x96));
        !texts) {
        return texts;
    }
    return shows_symbol_of(pixels, record_of_design(picture, 0, 0, ReductionKind::merge), name);
}

DropOutcome drop(RunningProgram& program, const std::vector<std::wstring>& paths) {
    return drop_files_on(program.main_window(), kDropPoint, paths);
}

TEST(DroppedFiles, APictureOpensAsCommand102AndOfSeveralTheFirstIsTaken) {
    RunningProgram program(scratch_folder(L"drops"));
    ASSERT_TRUE(program.started());
    // A PNG first, told by its bytes; the 32 x 32 picture after it is not taken.
    ASSERT_EQ(drop(program, {data_file(L"picture_64x96.png"), data_file(L"picture_32x32.bmp")}),
              DropOutcome::finished);
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_first_design_of_64x96(program, "dropped_png"));
    program.click(true);
    EXPECT_TRUE(shows_texts(program.look(), kImageHeading, counter_text(2, kDesignsOf64x96)));
    EXPECT_EQ(program.close(), 0);
}

TEST(DroppedFiles, ADesignFileOpensAsCommand100WhateverTheCaseOfItsExtension) {
    const std::wstring folder = scratch_folder(L"drops");
    const Record record = random_record(130);
    const std::wstring path = join_path(folder, L"DESIGN.Dat");
    ASSERT_TRUE(write_bytes(path, std::vector<uint8_t>(record.begin(), record.end())));
    RunningProgram program(folder);
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    ASSERT_EQ(drop(program, {path}), DropOutcome::finished);
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kDesignFileHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, record, "dropped_design_file"));
    EXPECT_EQ(program.close(), 0);
}

TEST(DroppedFiles, TextAndDamagedPicturesGetTheCannotOpenMessageAndChangeNothing) {
    const std::wstring folder = scratch_folder(L"drops");
    const std::wstring text = join_path(folder, L"notes.txt");
    ASSERT_TRUE(write_bytes(text, {'B', 'r', 'e', 'v', 'a', 'n', 'e', '\n'}));
    RunningProgram program(folder);
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    for (const std::wstring& path : {text, data_file(L"picture_truncated.bmp")}) {
        ASSERT_EQ(drop(program, {path}), DropOutcome::finished);
        EXPECT_TRUE(answered_message(program, kCannotOpenFileMessage, kPlainErrorCaption));
        EXPECT_TRUE(quiet(program));
        EXPECT_TRUE(program.look() == before);
    }
    EXPECT_EQ(program.close(), 0);
}

TEST(DroppedFiles, ADropWhileAMessageBoxIsUpIsIgnored) {
    RunningProgram program(scratch_folder(L"drops"));
    ASSERT_TRUE(shows_second_design_of_picture_64x96(program));
    const ClientPixels before = program.look();
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_100x64.bmp")));
    ASSERT_NE(program.message_box().window, nullptr);
    // Wine hands the drop to the disabled window (or may decline it); either
    // way nothing opens.
    EXPECT_NE(drop(program, {data_file(L"picture_32x32.bmp")}), DropOutcome::failed);
    EXPECT_TRUE(answered_message(program, kImageSizeMessage, kErrorCaption));
    EXPECT_TRUE(quiet(program));
    EXPECT_TRUE(program.look() == before);
    EXPECT_EQ(program.close(), 0);
}

TEST(CommandLine, APictureWhosePathHasSpacesOpensOnceTheWindowShows) {
    const std::wstring folder = scratch_folder(L"command line");
    const std::wstring path = join_path(folder, L"a picture 64x96.bmp");
    ASSERT_TRUE(CopyFileW(data_file(L"picture_64x96.bmp").c_str(), path.c_str(), FALSE));
    RunningProgram program(folder, quoted(path));
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_first_design_of_64x96(program, "command_line_picture"));
    EXPECT_EQ(program.close(), 0);
}

TEST(CommandLine, APathThatCannotBeOpenedGetsTheDropsMessage) {
    const std::wstring folder = scratch_folder(L"command line");
    RunningProgram program(folder, quoted(join_path(folder, L"missing.png")));
    ASSERT_TRUE(program.started());
    EXPECT_TRUE(answered_message(program, kCannotOpenFileMessage, kPlainErrorCaption));
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kPlaceholderText, L""));
    EXPECT_TRUE(symbol_area_blank(pixels));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
