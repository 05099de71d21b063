// Command 130: a page picture holding three design codes among other marks,
// read, stepped through, kept and exported, and the refusals that leave what
// is shown as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "capture_support.h"
#include "design_renderings.h"
#include "e2e_environment.h"
#include "export_page.h"
#include "keep_support.h"
#include "message_texts.h"
#include "png_writer.h"
#include "resource_ids.h"
#include "scenario_support.h"

namespace {

// Where each code goes on the page and how large: two beside each other at the
// top (the first on the left), one below them. Reading order is that order.
struct PlacedCode {
    int x;
    int y;
    int scale;
};
constexpr PlacedCode kPlaces[] = {{40, 60, 3}, {520, 90, 2}, {260, 470, 2}};
constexpr int kPageWidth = 900;
constexpr int kPageHeight = 760;
constexpr int kCodeBorder = 2;  // modules of white around each code
constexpr uint32_t kMarkSeed = 130;

void fill(Picture& page, int left, int top, int width, int height, uint8_t grey) {
    for (int y = top; y < top + height && y < page.height; ++y) {
        for (int x = left; x < left + width && x < page.width; ++x) {
            uint8_t* pixel = &page.rgb[3 * (static_cast<size_t>(y) * page.width + x)];
            pixel[0] = pixel[1] = pixel[2] = grey;
        }
    }
}

// A light page with lines of dark "text" marks, and the records' codes over it.
Picture page_with_codes(const std::vector<Record>& records) {
    Picture page{kPageWidth, kPageHeight,
                 std::vector<uint8_t>(3 * static_cast<size_t>(kPageWidth) * kPageHeight, 0xF4)};
    std::mt19937 random(kMarkSeed);
    std::uniform_int_distribution<int> word(6, 40);
    for (int y = 12; y < kPageHeight; y += 22) {
        for (int x = 10; x < kPageWidth - 50;) {
            const int length = word(random);
            fill(page, x, y, length, 9, 0x30);
            x += length + 7;
        }
    }
    for (size_t i = 0; i < records.size(); ++i) {
        const Picture code = render_qr(records[i], kPlaces[i].scale, kCodeBorder);
        for (int y = 0; y < code.height; ++y) {
            std::copy_n(
                &code.rgb[3 * static_cast<size_t>(y) * code.width], 3 * code.width,
                &page.rgb[3 * (static_cast<size_t>(kPlaces[i].y + y) * kPageWidth + kPlaces[i].x)]);
        }
    }
    return page;
}

testing::AssertionResult shows_found(RunningProgram& program, int number, int count,
                                     const Record& expected, const std::string& name) {
    const ClientPixels pixels = program.look();
    testing::AssertionResult texts =
        shows_texts(pixels, kFoundDesignHeading, count > 1 ? counter_text(number, count) : L"");
    return texts ? shows_symbol_of(pixels, expected, name) : texts;
}

TEST(ScanPicture, ThreeCodesOnAPageAreReadSteppedKeptAndExported) {
    const DibPicture designs = read_bmp24(data_file(L"picture_64x96.bmp"));
    ASSERT_EQ(designs.width, 64);
    const std::vector<Record> records = {record_of_design(designs, 0, 0, ReductionKind::merge),
                                         record_of_design(designs, 1, 1, ReductionKind::merge),
                                         record_of_design(designs, 1, 2, ReductionKind::merge)};
    const std::wstring folder = scratch_folder(L"scan_picture");
    const std::wstring page = join_path(folder, L"page.png");
    ASSERT_TRUE(write_bytes(page, encode_png(page_with_codes(records))));

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
    EXPECT_EQ(program.close(), 0);
}

}  // namespace
