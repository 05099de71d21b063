// One picture reader for both programs: a file gives the same records in the
// window as in brevane-cli.exe.
#include <gtest/gtest.h>

#include <algorithm>

#include "bmp_file_builder.h"
#include "cli_program.h"
#include "e2e_environment.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

// The record brevane-cli.exe writes for design (column, row) of the picture.
Record record_by_cli(const std::wstring& picture, int column, int row, const std::wstring& folder) {
    const std::wstring output = join_path(folder, L"cli_record.dat");
    DeleteFileW(output.c_str());
    const int exit_code =
        run_cli_program(L"record \"" + picture + L"\" " + std::to_wstring(column) + L" " +
                        std::to_wstring(row) + L" -o \"" + output + L"\"");
    EXPECT_EQ(exit_code, 0) << "brevane-cli.exe record";
    const std::vector<uint8_t> bytes = read_bytes(output);
    Record record{};
    EXPECT_EQ(bytes.size(), record.size());
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
    return record;
}

// A 64 x 32 RLE8 picture whose stream skips pixels with deltas and early ends of
// line, and ends before its top rows: the skipped pixels are black.
std::vector<uint8_t> run_length_with_gaps() {
    BmpFileFields fields;
    fields.width = 64;
    fields.height = 32;
    fields.bits = 8;
    fields.compression = 1;
    fields.palette = {0x000000, 0xE03020, 0x20A0E0, 0xF0F0F0, 0x40C040};
    fields.colours_used = 5;
    for (int row = 0; row < 24; ++row) {
        const uint8_t colour = static_cast<uint8_t>(1 + row % 4);
        fields.pixels.insert(fields.pixels.end(), {static_cast<uint8_t>(10 + row), colour});
        fields.pixels.insert(fields.pixels.end(), {0, 2, static_cast<uint8_t>(3 + row % 5), 0});
        fields.pixels.insert(fields.pixels.end(), {20, static_cast<uint8_t>(5 - colour), 0, 0});
    }
    fields.pixels.insert(fields.pixels.end(), {0, 2, 30, 3, 8, 3, 0, 1});
    return build_bmp_file(fields);
}

TEST(SharedReader, WindowAndCliGiveTheSameRecordsForRunLengthAndTopDownFiles) {
    const std::wstring folder = scratch_folder(L"shared_reader");
    const std::wstring top_down = join_path(folder, L"picture_64x96_32bit_top_down.bmp");
    ASSERT_TRUE(
        write_bytes(top_down, stored_top_down(read_bytes(data_file(L"picture_64x96_32bit.bmp")))));
    const std::wstring gaps = join_path(folder, L"picture_64x32_rle8_gaps.bmp");
    ASSERT_TRUE(write_bytes(gaps, run_length_with_gaps()));
    struct Case {
        std::wstring file;
        int columns;
        int rows;
        std::string name;
    };
    const Case cases[] = {{data_file(L"picture_64x96_rle8.bmp"), 2, 3, "shared_rle8"},
                          {top_down, 2, 3, "shared_top_down_32bit"},
                          {gaps, 2, 1, "shared_rle8_gaps"}};
    for (const Case& c : cases) {
        const Record first = record_by_cli(c.file, 0, 0, folder);
        const Record last = record_by_cli(c.file, c.columns - 1, c.rows - 1, folder);
        RunningProgram program(folder);
        ASSERT_TRUE(program.started());
        ASSERT_TRUE(program.choose_file_for_command(IDM_QR_FROM_IMAGE, kImageDialogTitle, c.file));
        ASSERT_TRUE(quiet(program));
        const int designs = c.columns * c.rows;
        EXPECT_TRUE(shows_texts(program.look(), kImageHeading, counter_text(1, designs))) << c.name;
        EXPECT_TRUE(shows_symbol_of(program.look(), first, c.name + "_first")) << c.name;
        program.click(false);
        EXPECT_TRUE(shows_symbol_of(program.look(), last, c.name + "_last")) << c.name;
        EXPECT_EQ(program.close(), 0);
    }
}

}  // namespace
