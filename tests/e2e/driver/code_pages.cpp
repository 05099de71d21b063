#include "code_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "bmp_files.h"
#include "design_renderings.h"
#include "png_writer.h"
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
// The marks: lines of dark words of random length on light paper.
constexpr uint8_t kPaper = 0xF4;
constexpr uint8_t kInk = 0x30;
constexpr int kMargin = 10;
constexpr int kLinePitch = 22;
constexpr int kMarkHeight = 9;
constexpr int kMarkGap = 7;
constexpr int kShortestMark = 6;
constexpr int kLongestMark = 40;
constexpr uint32_t kMarkSeed = 130;

void fill(Picture& page, int left, int top, int width, int height, uint8_t grey) {
    for (int y = top; y < top + height && y < page.height; ++y) {
        for (int x = left; x < left + width && x < page.width; ++x) {
            uint8_t* pixel = &page.rgb[3 * (static_cast<size_t>(y) * page.width + x)];
            pixel[0] = pixel[1] = pixel[2] = grey;
        }
    }
}

}  // namespace

Picture page_with_codes(const std::vector<Record>& records) {
    EXPECT_LE(records.size(), std::size(kPlaces));
    Picture page{kPageWidth, kPageHeight,
                 std::vector<uint8_t>(3 * static_cast<size_t>(kPageWidth) * kPageHeight, kPaper)};
    std::mt19937 random(kMarkSeed);
    std::uniform_int_distribution<int> mark(kShortestMark, kLongestMark);
    for (int y = kMargin; y < kPageHeight - kMarkHeight; y += kLinePitch) {
        for (int x = kMargin; x < kPageWidth - kMargin - kLongestMark;) {
            const int length = mark(random);
            fill(page, x, y, length, kMarkHeight, kInk);
            x += length + kMarkGap;
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

bool write_page_with_codes(const std::wstring& path, const std::vector<Record>& records) {
    return write_bytes(path, encode_png(page_with_codes(records)));
}

std::vector<Record> three_designs_of_picture_64x96() {
    const DibPicture designs = read_bmp24(data_file(L"picture_64x96.bmp"));
    EXPECT_EQ(designs.width, 64);
    return {record_of_design(designs, 0, 0, ReductionKind::merge),
            record_of_design(designs, 1, 1, ReductionKind::merge),
            record_of_design(designs, 1, 2, ReductionKind::merge)};
}
