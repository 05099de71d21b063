#include "palette.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(FixedPalette, CodesFollowSearchOrderAndNoColourRepeats) {
    std::set<uint32_t> colours;
    for (int index = 0; index < kPaletteSize; ++index) {
        const PaletteEntry& entry = kFixedPalette[index];
        const int expected_code =
            index < 144 ? (index / 9) << 4 | index % 9 : (index - 144) << 4 | 0xF;
        EXPECT_EQ(entry.code, expected_code) << "index " << index;
        colours.insert(uint32_t{entry.colour.r} << 16 | entry.colour.g << 8 | entry.colour.b);
    }
    EXPECT_EQ(colours.size(), static_cast<size_t>(kPaletteSize));
}

TEST(FixedPalette, SpotEntriesFromTheTable) {
    struct Case {
        uint8_t code;
        Rgb colour;
    };
    const Case cases[] = {
        {0x00, {0xFF, 0xEF, 0xFF}}, {0x14, {0xFF, 0x00, 0x00}}, {0x43, {0xBD, 0x8A, 0xCE}},
        {0x88, {0x21, 0x10, 0x31}}, {0xF8, {0x21, 0x45, 0x21}}, {0x0F, {0xFF, 0xFF, 0xFF}},
        {0x8F, {0x73, 0x75, 0x73}}, {0xEF, {0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        Rgb colour{};
        ASSERT_EQ(palette_colour(c.code, &colour), 0) << std::hex << int{c.code};
        EXPECT_EQ(colour, c.colour) << std::hex << int{c.code};
    }
    Rgb untouched{1, 2, 3};
    EXPECT_EQ(palette_colour(0x09, &untouched), -1);
    EXPECT_EQ(palette_colour(0xFF, &untouched), -1);
    EXPECT_EQ(untouched, (Rgb{1, 2, 3}));
}

TEST(NearestPaletteCode, ExactAndNearestMatches) {
    EXPECT_EQ(nearest_palette_code({255, 0, 0}), 0x14);
    EXPECT_EQ(nearest_palette_code({0, 255, 0}), 0xF3);
    EXPECT_EQ(nearest_palette_code({0, 0, 255}), 0x94);
    EXPECT_EQ(nearest_palette_code({255, 255, 0}), 0x73);
    EXPECT_EQ(nearest_palette_code({255, 255, 255}), 0x0F);
    EXPECT_EQ(nearest_palette_code({0, 0, 0}), 0xEF);
    EXPECT_EQ(nearest_palette_code({255, 239, 255}), 0x00);
    EXPECT_EQ(nearest_palette_code({128, 128, 128}), 0x7F);
    EXPECT_EQ(nearest_palette_code({127, 127, 127}), 0x8F);
}

TEST(NearestPaletteCode, TiesGoToTheEarlierEntryInSearchOrder) {
    // 198 from both 0xAF and 0xBF.
    EXPECT_EQ(nearest_palette_code({75, 75, 75}), 0xAF);
    EXPECT_EQ(nearest_palette_code({180, 180, 180}), 0x4F);
    // 400 from both 0xA8 and the grey 0xEF: coloured entries come first.
    EXPECT_EQ(nearest_palette_code({0, 20, 0}), 0xA8);
}

TEST(NearestPaletteCode, EveryEntryMatchesItself) {
    for (const PaletteEntry& entry : kFixedPalette) {
        EXPECT_EQ(nearest_palette_code(entry.colour), entry.code);
    }
}

}  // namespace
