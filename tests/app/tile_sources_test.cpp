#include "conversion_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A colour that names its picture position.
Rgb colour_at(int x, int y) {
    return Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x ^ y)};
}

// Bottom-up blue-green-red rows, written as a DIB holds them: the first stored row
// is the bottom row of the picture.
std::vector<uint8_t> dib_rows(int width, int height) {
    std::vector<uint8_t> bits;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour_at(x, y);
            bits.insert(bits.end(), {c.b, c.g, c.r});
        }
    }
    return bits;
}

TEST(ReadTileFromDibRows, ThirtyTwoSquareFileImage) {
    const std::vector<uint8_t> bits = dib_rows(32, 32);
    Rgb tile[kTilePixels];
    read_tile_from_dib_rows(bits.data(), 32, 32, 0, 0, tile);
    // Design pixel (0, 0): the first pixel of the last stored row.
    const size_t last_row = 31 * 32 * 3;
    EXPECT_EQ(tile[0], (Rgb{bits[last_row + 2], bits[last_row + 1], bits[last_row]}));
    // Design pixel (31, 31): the last pixel of the first stored row.
    EXPECT_EQ(tile[kTilePixels - 1], (Rgb{bits[31 * 3 + 2], bits[31 * 3 + 1], bits[31 * 3]}));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            EXPECT_EQ(tile[32 * y + x], colour_at(x, y));
        }
    }
}

TEST(ReadTileFromDibRows, DesignOneTwoOfA64By96Image) {
    const std::vector<uint8_t> bits = dib_rows(64, 96);
    Rgb tile[kTilePixels];
    read_tile_from_dib_rows(bits.data(), 64, 96, 1, 2, tile);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(tile[32 * y + x], colour_at(32 + x, 64 + y)) << x << ", " << y;
        }
    }
}

TEST(ReadTileFromDibRows, PixelsOutsideThePictureReadAsWhite) {
    const std::vector<uint8_t> bits = dib_rows(36, 40);  // exactly the picture, no slack
    Rgb tile[kTilePixels];
    read_tile_from_dib_rows(bits.data(), 36, 40, 1, 1, tile);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const bool inside = 32 + x < 36 && 32 + y < 40;
            EXPECT_EQ(tile[32 * y + x], inside ? colour_at(32 + x, 32 + y) : kOutsideSource);
        }
    }
    read_tile_from_dib_rows(bits.data(), 36, 40, 5, 0, tile);
    EXPECT_EQ(tile[0], kOutsideSource);
}

struct RecordingSource {
    int width;
    int height;
    int calls = 0;
    int calls_outside = 0;
};

uint32_t read_recorded(void* context, int x, int y) {
    auto* source = static_cast<RecordingSource*>(context);
    ++source->calls;
    if (x < 0 || y < 0 || x >= source->width || y >= source->height) {
        ++source->calls_outside;
    }
    const Rgb c = colour_at(x, y);
    return uint32_t{c.r} | uint32_t{c.g} << 8 | uint32_t{c.b} << 16;  // as GetPixel returns it
}

TEST(ReadTileFromPixelReader, ReadsTheDesignInGetPixelOrder) {
    RecordingSource source{64, 96};
    Rgb tile[kTilePixels];
    read_tile_from_pixel_reader(read_recorded, &source, 64, 96, 1, 2, tile);
    EXPECT_EQ(source.calls, kTilePixels);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            ASSERT_EQ(tile[32 * y + x], colour_at(32 + x, 64 + y)) << x << ", " << y;
        }
    }
}

TEST(ReadTileFromPixelReader, NeverAsksForPixelsOutsideTheSource) {
    RecordingSource source{40, 33};
    Rgb tile[kTilePixels];
    read_tile_from_pixel_reader(read_recorded, &source, 40, 33, 1, 0, tile);
    EXPECT_EQ(source.calls, 8 * 32);
    EXPECT_EQ(source.calls_outside, 0);
    EXPECT_EQ(tile[7], colour_at(39, 0));
    EXPECT_EQ(tile[8], kOutsideSource);
    read_tile_from_pixel_reader(read_recorded, &source, 40, 33, 0, 3, tile);
    EXPECT_EQ(source.calls_outside, 0);
    EXPECT_EQ(tile[0], kOutsideSource);
}

}  // namespace
