#include "bmp_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <vector>

#include "bmp_file_builder.h"
#include "bmp_writer.h"
#include "design_conversion.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

// Decoded pixels as 0xRRGGBB, top row first.
Rows decoded(const Picture& image) {
    Rows rows(static_cast<size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const uint8_t* p = &image.rgb[3 * (static_cast<size_t>(y) * image.width + x)];
            rows[static_cast<size_t>(y)].push_back(uint32_t{p[0]} << 16 | p[1] << 8 | p[2]);
        }
    }
    return rows;
}

Picture read_or_fail(const std::vector<uint8_t>& file) {
    Picture image;
    std::string error;
    EXPECT_EQ(read_bmp(file.data(), file.size(), &image, &error), 0) << error;
    return image;
}

std::string refusal(const std::vector<uint8_t>& file) {
    Picture image;
    std::string error;
    EXPECT_EQ(read_bmp(file.data(), file.size(), &image, &error), -1);
    EXPECT_TRUE(image.rgb.empty());
    EXPECT_FALSE(error.empty());
    return error;
}

const Rows kPicture = {
    {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xFF0000},
    {0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456},
    {0x654321, 0xABCDEF, 0xFEDCBA, 0x010203, 0x0A0B0C},
};

TEST(BmpReader, TwentyFourBitsBottomUpAndTopDownGiveThePictureTopRowFirst) {
    for (bool top_down : {false, true}) {
        const Picture image = read_or_fail(build_bmp_file(fields_for(kPicture, 24, top_down)));
        EXPECT_EQ(image.width, 5);
        EXPECT_EQ(image.height, 3);
        EXPECT_EQ(decoded(image), kPicture) << "top-down " << top_down;
    }
}

TEST(BmpReader, PalettisedDepthsBothRowOrders) {
    const std::vector<uint32_t> palette = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00,
                                           0x0000FF, 0x123456, 0x789ABC, 0xDEF012};
    const Rows indices = {{1, 0, 1, 1, 0, 0, 1, 0, 1}, {0, 1, 0, 0, 1, 1, 0, 1, 0}};
    const Rows indices8 = {{7, 6, 5, 4, 3, 2, 1, 0, 7}, {0, 1, 2, 3, 4, 5, 6, 7, 0}};
    for (int bits : {1, 4, 8}) {
        const Rows& values = bits == 1 ? indices : indices8;
        for (bool top_down : {false, true}) {
            BmpFileFields fields = fields_for(values, bits, top_down);
            fields.palette = palette;
            fields.palette.resize(bits == 1 ? 2 : 8);
            fields.colours_used = static_cast<uint32_t>(fields.palette.size());
            Rows expected = values;
            for (auto& row : expected) {
                for (uint32_t& v : row) {
                    v = palette[v];
                }
            }
            EXPECT_EQ(decoded(read_or_fail(build_bmp_file(fields))), expected)
                << bits << " bits, top-down " << top_down;
        }
    }
}

TEST(BmpReader, CoreHeaderWithThreeByteColourTable) {
    BmpFileFields fields = fields_for({{0, 1, 2}, {2, 1, 0}}, 8, false);
    fields.header_size = 12;
    fields.palette.assign(256, 0x000000);
    fields.palette[1] = 0x336699;
    fields.palette[2] = 0xFFEEDD;
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(fields))),
              (Rows{{0x000000, 0x336699, 0xFFEEDD}, {0xFFEEDD, 0x336699, 0x000000}}));
}

// 5-bit 10000 widens to 10000100 (0x84), 6-bit 100000 to 10000010 (0x82), 4-bit
// 1010 to 10101010; channels wider than 8 bits keep their top 8.
TEST(BmpReader, SixteenBitChannelsAreWidenedByBitReplication) {
    BmpFileFields rgb555 = fields_for({{0x7FFF, 0x4210, 0x7C00, 0x0001}}, 16, true);
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(rgb555))),
              (Rows{{0xFFFFFF, 0x848484, 0xFF0000, 0x000008}}));

    BmpFileFields rgb565 = fields_for({{0xFFFF, 0x8410, 0x07E0, 0x0020}}, 16, false);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(rgb565))),
              (Rows{{0xFFFFFF, 0x848284, 0x00FF00, 0x000400}}));

    BmpFileFields rgb444 = fields_for({{0x0A5F, 0xF000}}, 16, false);
    rgb444.header_size = 108;
    rgb444.compression = 3;
    rgb444.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(rgb444))), (Rows{{0xAA55FF, 0x000000}}));
}

TEST(BmpReader, ThirtyTwoBitPlainAndBitfields) {
    BmpFileFields plain = fields_for({{0xFF123456, 0x00ABCDEF}}, 32, false);
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(plain))), (Rows{{0x123456, 0xABCDEF}}));

    // 10-10-10: red 1111111111 -> FF, green 1000000001 -> 80, blue 0000000011 -> 00.
    BmpFileFields ten_bits = fields_for({{0x3FF00000 | (0x201 << 10) | 0x3}}, 32, true);
    ten_bits.compression = 3;
    ten_bits.masks = {0x3FF00000, 0x000FFC00, 0x000003FF};
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(ten_bits))), (Rows{{0xFF8000}}));

    // Blue in the top byte, a 3-bit red (101 -> 10110110), alpha mask after a 40-byte header.
    BmpFileFields odd = fields_for({{0xC8000005}}, 32, false);
    odd.compression = 6;
    odd.masks = {0x00000007, 0x00FF0000, 0xFF000000, 0x0000FF00};
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(odd))), (Rows{{0xB600C8}}));
}

TEST(BmpReader, TopDownPictureTilesInPictureCoordinates) {
    Rows values(64, std::vector<uint32_t>(32));
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 32; ++x) {
            values[static_cast<size_t>(y)][static_cast<size_t>(x)] =
                static_cast<uint32_t>(x << 16 | y << 8 | 0x5A);
        }
    }
    const Picture image = read_or_fail(build_bmp_file(fields_for(values, 24, true)));
    Rgb tile[kTilePixels];
    read_picture_tile(image, 0, 1, tile);
    EXPECT_EQ(tile[0], (Rgb{0, 32, 0x5A}));
    EXPECT_EQ(tile[kTilePixels - 1], (Rgb{31, 63, 0x5A}));
}

TEST(BmpReader, RefusesMalformedFiles) {
    const std::vector<uint8_t> good = build_bmp_file(fields_for(kPicture, 24, false));
    EXPECT_EQ(refusal({good.begin(), good.begin() + 10}).find("truncated"), 0u);
    EXPECT_EQ(refusal({good.begin(), good.begin() + 30}).find("truncated"), 0u);
    // The last row may lack its padding byte, not a pixel byte.
    EXPECT_EQ(refusal({good.begin(), good.end() - 2}).find("truncated"), 0u);

    std::vector<uint8_t> not_bmp = good;
    not_bmp[0] = 'P';
    EXPECT_NE(refusal(not_bmp).find("not a BMP"), std::string::npos);

    BmpFileFields fields = fields_for(kPicture, 24, false);
    fields.pixel_offset = static_cast<uint32_t>(good.size());  // pixels would start at the end
    std::vector<uint8_t> past_end = build_bmp_file(fields);
    past_end.resize(good.size());
    EXPECT_NE(refusal(past_end).find("past the end"), std::string::npos);

    fields = fields_for(kPicture, 24, false);
    fields.pixel_offset = 20;  // inside the headers
    EXPECT_NE(refusal(build_bmp_file(fields)).find("pixel offset"), std::string::npos);

    auto with = [](auto change) {
        BmpFileFields s = fields_for(kPicture, 24, false);
        change(s);
        return build_bmp_file(s);
    };
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.width = 0; })).find("width"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.width = -5; })).find("width"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.height = 0; })).find("height"),
              std::string::npos);
    // 65536 x 65536 overflows 32 bits; INT32_MIN has no positive counterpart.
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.width = s.height = 65536; })).find("too large"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) {
                  s.width = 20000;
                  s.height = 20000;
              })).find("too large"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.height = INT32_MIN; })).find("too large"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.bits = 2; })).find("bit depth"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.bits = 0; })).find("bit depth"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.header_size = 64; })).find("header size"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.compression = 3; })).find("16 or 32"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.compression = 4; })).find("JPEG"),
              std::string::npos);
    EXPECT_NE(refusal(with([](BmpFileFields& s) { s.compression = 9; })).find("compression"),
              std::string::npos);
}

// RLE8: a run, an absolute run of odd length (padded), end of line, a delta over
// pixels that stay black, end of bitmap; RLE4 alternates the nibbles of a run.
TEST(BmpReader, RunLengthStreamsWithDeltaAndEndCodes) {
    BmpFileFields rle8 = fields_for({{0}}, 8, false);
    rle8.width = 4;
    rle8.height = 3;
    rle8.compression = 1;
    rle8.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    rle8.colours_used = 4;
    rle8.pixels = {2, 1,              // bottom row: 1 1
                   0, 2, 0, 1,        // delta: one row up, same column
                   1, 2, 0, 0,        // middle row, third pixel: 2; end of line
                   0, 3, 3, 1, 2, 0,  // top row: absolute 3 1 2, padded
                   0, 1};             // end of bitmap
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(rle8))),
              (Rows{{0x0000FF, 0xFF0000, 0x00FF00, 0x000000},
                    {0x000000, 0x000000, 0x00FF00, 0x000000},
                    {0xFF0000, 0xFF0000, 0x000000, 0x000000}}));

    BmpFileFields rle4 = rle8;
    rle4.bits = 4;
    rle4.compression = 2;
    rle4.height = 1;
    rle4.pixels = {5, 0x12, 0, 1};  // 1 2 1 2, the fifth pixel dropped at the edge
    EXPECT_EQ(decoded(read_or_fail(build_bmp_file(rle4))),
              (Rows{{0xFF0000, 0x00FF00, 0xFF0000, 0x00FF00}}));

    BmpFileFields broken = rle8;
    for (const std::vector<uint8_t>& stream : std::vector<std::vector<uint8_t>>{
             {0, 1}, {0, 0, 0, 2, 5, 5, 0, 1}, {2, 1, 0, 0}, {2, 1, 0, 3, 1}, {2, 7, 0, 1}}) {
        broken.pixels = stream;
        EXPECT_FALSE(refusal(build_bmp_file(broken)).empty());
    }
    broken.pixels = {2, 1, 0, 1};
    broken.height = -3;
    EXPECT_NE(refusal(build_bmp_file(broken)).find("top-down"), std::string::npos);
}

TEST(BmpReader, RefusesBrokenPalettesMasksAndPlanes) {
    std::vector<uint8_t> two_planes = build_bmp_file(fields_for(kPicture, 24, false));
    two_planes[26] = 2;
    EXPECT_NE(refusal(two_planes).find("plane"), std::string::npos);

    BmpFileFields too_many = fields_for({{0, 1}}, 4, false);
    too_many.palette.assign(17, 0);
    too_many.colours_used = 17;
    EXPECT_NE(refusal(build_bmp_file(too_many)).find("colour count"), std::string::npos);

    BmpFileFields beyond = fields_for({{0, 3}}, 8, false);
    beyond.palette = {0, 0xFFFFFF, 0xFF};
    beyond.colours_used = 3;
    EXPECT_NE(refusal(build_bmp_file(beyond)).find("colour table"), std::string::npos);

    BmpFileFields cut = fields_for({{0, 1}}, 8, false);
    cut.palette = {0, 0xFFFFFF};  // 256 entries announced by a zero count
    cut.pixel_offset = 54 + 8;
    std::vector<uint8_t> cut_file = build_bmp_file(cut);
    EXPECT_NE(refusal(cut_file).find("colour table"), std::string::npos);

    for (const std::vector<uint32_t>& masks : std::vector<std::vector<uint32_t>>{
             {0xF800, 0x07E0, 0x0000}, {0xF800, 0x07E0, 0x0015}, {0x1F800, 0x07E0, 0x001F}}) {
        BmpFileFields bad = fields_for({{0, 0}}, 16, false);
        bad.compression = 3;
        bad.masks = masks;
        EXPECT_NE(refusal(build_bmp_file(bad)).find("mask"), std::string::npos);
    }
    BmpFileFields no_masks = fields_for({{0, 0}}, 16, false);
    no_masks.compression = 3;
    std::vector<uint8_t> no_masks_file = build_bmp_file(no_masks);
    no_masks_file.resize(58);  // the masks after the 40-byte header are cut off
    EXPECT_NE(refusal(no_masks_file).find("truncated"), std::string::npos);
}

TEST(BmpWriter, TwentyFourBitBottomUpFileThatReadsBack) {
    Picture image;
    image.width = 5;
    image.height = 3;
    for (const auto& row : kPicture) {
        for (uint32_t v : row) {
            image.rgb.insert(image.rgb.end(),
                             {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                              static_cast<uint8_t>(v)});
        }
    }
    const std::vector<uint8_t> file = encode_bmp24(image);
    ASSERT_EQ(file.size(), 54u + 16 * 3);  // rows of 15 bytes padded to 16
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[2], 54 + 48);
    EXPECT_EQ(file[10], 54);
    EXPECT_EQ(file[14], 40);
    EXPECT_EQ(file[22], 3);  // positive height: bottom-up
    EXPECT_EQ(file[28], 24);
    EXPECT_EQ(file[34], 48);  // image size
    for (int offset = 38; offset < 54; ++offset) {
        EXPECT_EQ(file[offset], 0) << offset;  // resolutions and colour counts
    }
    // The first stored row is the bottom row of the picture, blue first.
    EXPECT_EQ(file[54], 0x21);
    EXPECT_EQ(file[55], 0x43);
    EXPECT_EQ(file[56], 0x65);
    EXPECT_EQ(decoded(read_or_fail(file)), kPicture);
}

}  // namespace
