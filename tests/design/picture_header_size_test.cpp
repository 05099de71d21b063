// Sizes read from headers alone, for each format, and cut-off headers refused.
#include "picture_header_size.h"

#include <gtest/gtest.h>

#include <vector>

#include "bmp_writer.h"

namespace {

struct HeaderSize {
    bool read;
    int64_t width;
    int64_t height;
};

HeaderSize size_of(const std::vector<uint8_t>& file) {
    HeaderSize size{false, -1, -1};
    size.read = picture_header_size(file.data(), file.size(), &size.width, &size.height);
    return size;
}

std::vector<uint8_t> png_header(uint32_t width, uint32_t height) {
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A,
                                 0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    for (uint32_t value : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            file.push_back(static_cast<uint8_t>(value >> shift));
        }
    }
    return file;
}

TEST(PictureHeaderSize, EachFormatGivesItsSidesAndCutOffHeadersNone) {
    BmpImage picture;
    picture.width = 5;
    picture.height = 3;
    picture.rgb.resize(5 * 3 * 3);
    std::vector<uint8_t> bmp = encode_bmp24(picture);
    HeaderSize size = size_of(bmp);
    EXPECT_TRUE(size.read && size.width == 5 && size.height == 3);
    bmp[22] = 0xFD;  // height -3: rows stored top-down
    bmp[23] = bmp[24] = bmp[25] = 0xFF;
    size = size_of(bmp);
    EXPECT_TRUE(size.read && size.width == 5 && size.height == 3);

    size = size_of(png_header(16385, 2));
    EXPECT_TRUE(size.read && size.width == 16385 && size.height == 2);

    // Start of image, an APP0 segment of 4 bytes, fill bytes, then SOF2 (progressive).
    const std::vector<uint8_t> jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00, 0xFF,
                                       0xFF, 0xC2, 0x00, 0x11, 0x08, 0x0B, 0xB8, 0x0F, 0xA0};
    size = size_of(jpeg);
    EXPECT_TRUE(size.read && size.width == 4000 && size.height == 3000);

    std::vector<uint8_t> cut_png = png_header(1, 1);
    cut_png.pop_back();
    for (const std::vector<uint8_t>& file :
         {std::vector<uint8_t>(bmp.begin(), bmp.begin() + 25),
          std::vector<uint8_t>(jpeg.begin(), jpeg.end() - 1), cut_png,
          std::vector<uint8_t>{'G', 'I', 'F', '8', '9', 'a'}, std::vector<uint8_t>{}}) {
        EXPECT_FALSE(size_of(file).read) << file.size() << " bytes";
    }
}

}  // namespace
