#include "bmp_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

struct BmpSpec {
    int32_t width = 64;
    int32_t height = 96;
    uint16_t bits = 24;
    uint32_t compression = 0;
    uint32_t header_bytes = 40;
    uint32_t colours_used = 0;
    uint32_t image_bytes = 0;
    uint32_t extra_before_pixels = 0;  // masks and colour table
};

void put(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

// A well-formed file of the spec, with `pixel_bytes` bytes of pixel data.
std::vector<uint8_t> make_bmp(const BmpSpec& spec, size_t pixel_bytes) {
    const size_t offset = 14 + spec.header_bytes + spec.extra_before_pixels;
    std::vector<uint8_t> bytes(offset + pixel_bytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    put(bytes, 10, static_cast<uint32_t>(offset), 4);
    put(bytes, 14, spec.header_bytes, 4);
    put(bytes, 18, static_cast<uint32_t>(spec.width), 4);
    put(bytes, 22, static_cast<uint32_t>(spec.height), 4);
    put(bytes, 26, 1, 2);
    put(bytes, 28, spec.bits, 2);
    put(bytes, 30, spec.compression, 4);
    put(bytes, 34, spec.image_bytes, 4);
    put(bytes, 46, spec.colours_used, 4);
    return bytes;
}

bool accepted(const std::vector<uint8_t>& bytes, BmpLayout* layout = nullptr) {
    BmpLayout unused{};
    return locate_bmp_parts(bytes.data(), bytes.size(), layout != nullptr ? layout : &unused);
}

TEST(BmpLayout, TwentyFourBitFilesEitherWayUp) {
    BmpLayout layout{};
    ASSERT_TRUE(accepted(make_bmp(BmpSpec{}, 192 * 96), &layout));
    EXPECT_EQ(layout.width, 64);
    EXPECT_EQ(layout.height, 96);
    EXPECT_EQ(layout.info_offset, 14u);
    EXPECT_EQ(layout.bits_offset, 54u);

    BmpSpec top_down;
    top_down.height = -96;
    ASSERT_TRUE(accepted(make_bmp(top_down, 192 * 96), &layout));
    EXPECT_EQ(layout.height, 96);
}

TEST(BmpLayout, RowsArePaddedToFourBytes) {
    BmpSpec odd;
    odd.width = 33;  // 99 bytes, padded to 100
    odd.height = 2;
    EXPECT_TRUE(accepted(make_bmp(odd, 200)));
    EXPECT_FALSE(accepted(make_bmp(odd, 199)));
    BmpSpec one_bit;
    one_bit.bits = 1;
    one_bit.width = 33;  // 33 bits, padded to 8 bytes
    one_bit.height = 2;
    one_bit.extra_before_pixels = 2 * 4;
    EXPECT_TRUE(accepted(make_bmp(one_bit, 16)));
    EXPECT_FALSE(accepted(make_bmp(one_bit, 15)));
}

TEST(BmpLayout, PaletteMustFitBeforeTheEndOfTheFile) {
    BmpSpec eight_bit;
    eight_bit.bits = 8;
    eight_bit.extra_before_pixels = 256 * 4;
    EXPECT_TRUE(accepted(make_bmp(eight_bit, 64 * 96)));
    // A short palette declared by its count.
    eight_bit.colours_used = 16;
    eight_bit.extra_before_pixels = 16 * 4;
    EXPECT_TRUE(accepted(make_bmp(eight_bit, 64 * 96)));
    // More colours than eight bits can name.
    eight_bit.colours_used = 257;
    EXPECT_FALSE(accepted(make_bmp(eight_bit, 64 * 96 + 257 * 4)));
    // A full palette that the file is too short to hold.
    BmpSpec truncated;
    truncated.bits = 8;
    truncated.width = 4;
    truncated.height = 1;
    std::vector<uint8_t> bytes = make_bmp(truncated, 4);
    EXPECT_FALSE(accepted(bytes));
}

TEST(BmpLayout, BitFieldMasksFollowAPlainInfoHeader) {
    BmpSpec masks;
    masks.bits = 32;
    masks.compression = 3;
    masks.extra_before_pixels = 12;
    EXPECT_TRUE(accepted(make_bmp(masks, 256 * 96)));
    BmpSpec v5 = masks;
    v5.header_bytes = 124;
    v5.extra_before_pixels = 0;
    EXPECT_TRUE(accepted(make_bmp(v5, 256 * 96)));
    BmpSpec bad_depth = masks;
    bad_depth.bits = 24;
    EXPECT_FALSE(accepted(make_bmp(bad_depth, 256 * 96)));
}

TEST(BmpLayout, RunLengthDataMustLieInsideTheFileAndBeBottomUp) {
    BmpSpec rle;
    rle.bits = 8;
    rle.compression = 1;
    rle.extra_before_pixels = 256 * 4;
    rle.image_bytes = 500;
    EXPECT_TRUE(accepted(make_bmp(rle, 500)));
    EXPECT_FALSE(accepted(make_bmp(rle, 499)));
    rle.image_bytes = 0;
    EXPECT_FALSE(accepted(make_bmp(rle, 500)));
    rle.image_bytes = 500;
    rle.height = -96;
    EXPECT_FALSE(accepted(make_bmp(rle, 500)));
    BmpSpec rle4_on_8 = rle;
    rle4_on_8.height = 96;
    rle4_on_8.compression = 2;
    EXPECT_FALSE(accepted(make_bmp(rle4_on_8, 500)));
}

TEST(BmpLayout, DamagedHeadersAreRefused) {
    const std::vector<uint8_t> good = make_bmp(BmpSpec{}, 192 * 96);
    std::vector<uint8_t> bytes = good;
    bytes[0] = 'X';
    EXPECT_FALSE(accepted(bytes));
    EXPECT_FALSE(accepted(std::vector<uint8_t>(good.begin(), good.begin() + 53)));
    EXPECT_FALSE(accepted(std::vector<uint8_t>(good.begin(), good.end() - 1)));

    for (const uint32_t header : {12u, 39u, 64u, 200u}) {
        bytes = good;
        put(bytes, 14, header, 4);
        EXPECT_FALSE(accepted(bytes)) << header;
    }
    bytes = good;
    put(bytes, 26, 2, 2);  // planes
    EXPECT_FALSE(accepted(bytes));
    bytes = good;
    put(bytes, 28, 48, 2);  // bits per pixel
    EXPECT_FALSE(accepted(bytes));
    bytes = good;
    put(bytes, 30, 4, 4);  // embedded JPEG
    EXPECT_FALSE(accepted(bytes));
    bytes = good;
    put(bytes, 10, static_cast<uint32_t>(good.size()) + 1, 4);  // pixels past the end
    EXPECT_FALSE(accepted(bytes));
    bytes = good;
    put(bytes, 10, 20, 4);  // pixels inside the header
    EXPECT_FALSE(accepted(bytes));
}

TEST(BmpLayout, SidesMustBePositiveAndBounded) {
    for (const int32_t width : {0, -64, kMaxBmpSide + 1, INT32_MAX, INT32_MIN}) {
        BmpSpec spec;
        spec.width = width;
        EXPECT_FALSE(accepted(make_bmp(spec, 192 * 96))) << width;
    }
    for (const int32_t height : {0, kMaxBmpSide + 1, -(kMaxBmpSide + 1), INT32_MIN}) {
        BmpSpec spec;
        spec.height = height;
        EXPECT_FALSE(accepted(make_bmp(spec, 192 * 96))) << height;
    }
    BmpSpec largest;
    largest.width = kMaxBmpSide;
    largest.height = 1;
    largest.bits = 1;
    EXPECT_TRUE(accepted(make_bmp(largest, kMaxBmpSide / 8)));
}

}  // namespace
