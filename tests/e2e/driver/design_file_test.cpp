// Command 100: a design file shown as its symbol.
#include <gtest/gtest.h>

#include <algorithm>

#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

std::wstring write_design_file(const std::wstring& folder, const std::wstring& name,
                               const std::vector<uint8_t>& bytes) {
    const std::wstring path = join_path(folder, name);
    EXPECT_TRUE(write_bytes(path, bytes));
    return path;
}

std::vector<uint8_t> bytes_of(const Record& record, size_t count) {
    return std::vector<uint8_t>(record.begin(), record.begin() + count);
}

bool open_design_file(RunningProgram& program, const std::wstring& path) {
    return program.choose_file_for_command(IDM_OPEN_DESIGN_FILE, kDesignFileDialogTitle, path);
}

TEST(DesignFile, ShowsTheSymbolOfA620ByteFile) {
    const std::wstring folder = scratch_folder(L"design_files");
    const Record record = random_record(100);
    const std::wstring path = write_design_file(folder, L"design.dat", bytes_of(record, 620));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_design_file(program, path));
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kDesignFileHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, record, "design_file_620"));
    EXPECT_EQ(program.close(), 0);
}

TEST(DesignFile, ShortFilesReplaceOnlyTheirOwnLength) {
    const std::wstring folder = scratch_folder(L"design_files");
    const Record first = random_record(101);
    const Record second = random_record(102);
    const std::wstring empty = write_design_file(folder, L"empty.dat", {});
    const std::wstring full = write_design_file(folder, L"full.dat", bytes_of(first, 620));
    const std::wstring ten = write_design_file(folder, L"ten.dat", bytes_of(second, 10));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());

    // Before any record the record is all zero.
    ASSERT_TRUE(open_design_file(program, empty));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_symbol_of(program.look(), Record{}, "design_file_empty"));

    ASSERT_TRUE(open_design_file(program, full));
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(open_design_file(program, ten));
    ASSERT_TRUE(quiet(program));
    Record expected = first;
    std::copy_n(second.begin(), 10, expected.begin());
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kDesignFileHeading, L""));
    EXPECT_TRUE(shows_symbol_of(pixels, expected, "design_file_10_over_620"));
    EXPECT_EQ(program.close(), 0);
}

TEST(DesignFile, LongerFileGivesItsFirst620Bytes) {
    const std::wstring folder = scratch_folder(L"design_files");
    std::vector<uint8_t> bytes(700);
    const Record start = random_record(103);
    std::copy(start.begin(), start.end(), bytes.begin());
    std::fill(bytes.begin() + 620, bytes.end(), uint8_t{0xA5});
    const std::wstring path = write_design_file(folder, L"long.dat", bytes);
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(open_design_file(program, path));
    ASSERT_TRUE(quiet(program));
    EXPECT_TRUE(shows_symbol_of(program.look(), start, "design_file_700"));
    EXPECT_EQ(program.close(), 0);
}

TEST(DesignFile, ClicksDoNothingWhileADesignFileIsShownWhateverTheGrid) {
    const std::wstring folder = scratch_folder(L"design_files");
    const Record record = random_record(104);
    const std::wstring path = write_design_file(folder, L"design.dat", bytes_of(record, 620));
    RunningProgram program(folder);
    ASSERT_TRUE(program.started());
    ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle,
                                                data_file(L"picture_64x96.bmp")));
    ASSERT_TRUE(quiet(program));
    ASSERT_TRUE(open_design_file(program, path));
    ASSERT_TRUE(quiet(program));
    const ClientPixels before = program.look();
    program.click(true);
    program.click(false);
    const ClientPixels after = program.look();
    EXPECT_TRUE(after == before);
    EXPECT_TRUE(shows_texts(after, kDesignFileHeading, L""));
    EXPECT_TRUE(shows_symbol_of(after, record, "design_file_after_clicks"));
    EXPECT_EQ(program.close(), 0);
}

TEST(DesignFile, CancelledDialogChangesNothing) {
    RunningProgram program(scratch_folder(L"design_files"));
    ASSERT_TRUE(program.started());
    PostMessageW(program.main_window(), WM_COMMAND, MAKEWPARAM(IDM_OPEN_DESIGN_FILE, 0), 0);
    HWND dialog = wait_for_dialog(program.process_id(), kDesignFileDialogTitle, 10000);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(wait_until([dialog] { return !IsWindow(dialog); }, 10000));
    ASSERT_TRUE(quiet(program));
    const ClientPixels pixels = program.look();
    EXPECT_TRUE(shows_texts(pixels, kPlaceholderText, L""));
    EXPECT_TRUE(symbol_area_blank(pixels));
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
