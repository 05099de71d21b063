#include "median_cut_quantizer.h"

#include <gtest/gtest.h>

#include "nearest_slot.h"
#include "palette.h"

namespace {

TEST(WidestChannel, StrictlyWidestRedOrGreenElseBlue) {
    const Rgb red_wide[] = {{0, 10, 20}, {100, 20, 30}};
    EXPECT_EQ(widest_channel(red_wide, 2), Channel::red);
    const Rgb green_wide[] = {{0, 0, 0}, {9, 10, 9}};
    EXPECT_EQ(widest_channel(green_wide, 2), Channel::green);
    const Rgb blue_wide[] = {{0, 0, 0}, {1, 1, 2}};
    EXPECT_EQ(widest_channel(blue_wide, 2), Channel::blue);
    const Rgb red_ties_green[] = {{0, 0, 0}, {50, 50, 10}};  // blue, though narrower
    EXPECT_EQ(widest_channel(red_ties_green, 2), Channel::blue);
    const Rgb red_ties_blue[] = {{0, 0, 0}, {50, 10, 50}};
    EXPECT_EQ(widest_channel(red_ties_blue, 2), Channel::blue);
    const Rgb all_flat[] = {{7, 7, 7}, {7, 7, 7}};
    EXPECT_EQ(widest_channel(all_flat, 2), Channel::blue);
}

// Worked by hand through the partition steps: equal keys are swapped, so the
// order among equal reds is not the input order (a stable sort gives C, A, B, D).
TEST(PartitionSort, EqualKeysEndInThePartitionOrder) {
    const Rgb a{1, 0, 0}, b{1, 1, 0}, c{0, 2, 0}, d{1, 3, 0};
    Rgb pixels[] = {a, b, c, d};
    partition_sort(pixels, 0, 3, Channel::red);
    EXPECT_EQ(pixels[0], c);
    EXPECT_EQ(pixels[1], d);
    EXPECT_EQ(pixels[2], a);
    EXPECT_EQ(pixels[3], b);
}

TEST(PartitionSort, SortsByTheChosenChannelOnly) {
    Rgb pixels[64];
    for (int p = 0; p < 64; ++p) {
        pixels[p] = Rgb{static_cast<uint8_t>(p), static_cast<uint8_t>((p * 37) % 64),
                        static_cast<uint8_t>(63 - p)};
    }
    partition_sort(pixels, 0, 63, Channel::green);
    for (int p = 0; p < 64; ++p) {
        EXPECT_EQ(pixels[p].g, p);
        EXPECT_EQ(pixels[p].r + pixels[p].b, 63);  // pixels moved whole
    }
}

TEST(MedianCutQuantizer, RedAndBlueHalves) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = p % kTileSide < 16 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    }
    const Rgb left = tile[0];
    ColourSlots slots;
    quantize_by_median_cut(tile, &slots);
    EXPECT_EQ(slots.count, 15);
    for (int s = 0; s < 15; ++s) {
        const bool red = s < 8;
        EXPECT_EQ(slots.colour[s], (red ? Rgb{255, 0, 0} : Rgb{0, 0, 255})) << "slot " << s;
        EXPECT_EQ(nearest_palette_code(slots.colour[s]), red ? 0x14 : 0x94) << "slot " << s;
    }
    EXPECT_EQ(nearest_slot({255, 0, 0}, slots), 0);
    EXPECT_EQ(nearest_slot({0, 0, 255}, slots), 8);
    EXPECT_EQ(tile[0], left);  // the tile itself is not sorted
    EXPECT_EQ(tile[16], (Rgb{0, 0, 255}));
}

// Reds 0..255, four pixels each, in a scrambled tile order. Sorted, run k holds
// reds 16k..16k+15 and its mean rounds down from 16k + 7.5; the last slot covers
// the last two runs, reds 224..255.
TEST(MedianCutQuantizer, SlotsAreFlooredMeansOfTheSortedRuns) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        const int scrambled = (p * 389) % kTilePixels;  // 389 is odd: a permutation
        tile[p] = Rgb{static_cast<uint8_t>(scrambled / 4), 0, 0};
    }
    ColourSlots slots;
    quantize_by_median_cut(tile, &slots);
    for (int s = 0; s < 14; ++s) {
        EXPECT_EQ(slots.colour[s], (Rgb{static_cast<uint8_t>(16 * s + 7), 0, 0})) << "slot " << s;
    }
    EXPECT_EQ(slots.colour[14], (Rgb{239, 0, 0}));
}

TEST(MedianCutQuantizer, SingleColourFillsEverySlot) {
    Rgb tile[kTilePixels];
    for (Rgb& p : tile) {
        p = Rgb{9, 99, 199};
    }
    ColourSlots slots;
    quantize_by_median_cut(tile, &slots);
    EXPECT_EQ(slots.count, 15);
    for (const Rgb& colour : slots.colour) {
        EXPECT_EQ(colour, (Rgb{9, 99, 199}));
    }
    EXPECT_EQ(nearest_slot({9, 99, 199}, slots), 0);
}

}  // namespace
