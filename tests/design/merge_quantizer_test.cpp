#include "merge_quantizer.h"

#include <gtest/gtest.h>

#include "exhaustive_merge.h"
#include "nearest_slot.h"
#include "palette.h"

namespace {

void fill(Rgb* tile, int first, int last, Rgb colour) {
    for (int p = first; p <= last; ++p) {
        tile[p] = colour;
    }
}

TEST(MergeQuantizer, SingleColourTile) {
    Rgb tile[kTilePixels];
    fill(tile, 0, kTilePixels - 1, {12, 34, 56});
    ColourSlots slots;
    quantize_by_merging(tile, &slots);
    EXPECT_EQ(slots.count, 1);
    EXPECT_EQ(slots.colour[0], (Rgb{12, 34, 56}));
    for (int s = 1; s < kSlotCount; ++s) {
        EXPECT_EQ(slots.colour[s], (Rgb{0, 0, 0}));
    }
    EXPECT_EQ(nearest_slot({12, 34, 56}, slots), 0);
}

TEST(MergeQuantizer, FifteenColoursAreKeptInOrderOfFirstAppearance) {
    Rgb tile[kTilePixels];
    // Colours 14, 13, ..., 0 first appear in that order, then repeat; black is one of them.
    for (int p = 0; p < kTilePixels; ++p) {
        const int c = 14 - p % 15;
        tile[p] = Rgb{static_cast<uint8_t>(c * 17), static_cast<uint8_t>(c), 0};
    }
    ColourSlots slots;
    quantize_by_merging(tile, &slots);
    ASSERT_EQ(slots.count, 15);
    for (int s = 0; s < 15; ++s) {
        EXPECT_EQ(slots.colour[s], tile[s]) << "slot " << s;
        EXPECT_EQ(nearest_slot(tile[s], slots), s);
    }
}

TEST(MergeQuantizer, BlackPixelsStayOnTheirOwnSlotBelowTheFreeOnes) {
    Rgb tile[kTilePixels];
    fill(tile, 0, 9, {255, 0, 0});
    fill(tile, 10, 19, {0, 255, 0});
    fill(tile, 20, kTilePixels - 1, {0, 0, 0});
    ColourSlots slots;
    quantize_by_merging(tile, &slots);
    ASSERT_EQ(slots.count, 3);
    EXPECT_EQ(nearest_slot({0, 0, 0}, slots), 2);
}

// Sixteen colours, one merge. Pairs (1, 9), (1, 12) and (2, 5) are all 9 apart and
// every other pair is farther: the first pair visited, (1, 9), must win. Entry 1
// (3 pixels) and entry 9 (5 pixels) merge to floor((3*100 + 5*103) / 8) = 101 in red
// (rounding would give 102), and the last entry moves into index 9.
TEST(MergeQuantizer, SixteenColoursTakeOneMergeWithTheFirstClosestPair) {
    const Rgb colours[16] = {
        {0, 0, 0},       {100, 100, 100}, {200, 0, 0},   {0, 200, 0},
        {0, 0, 200},     {200, 0, 3},     {200, 200, 0}, {0, 200, 200},
        {200, 0, 200},   {103, 100, 100}, {50, 50, 50},  {150, 150, 150},
        {100, 103, 100}, {255, 255, 255}, {30, 90, 160}, {90, 30, 220},
    };
    Rgb tile[kTilePixels];
    for (int p = 0; p < 16; ++p) {
        tile[p] = colours[p];
    }
    fill(tile, 16, 17, colours[1]);
    fill(tile, 18, 21, colours[9]);
    fill(tile, 22, kTilePixels - 1, colours[0]);

    Rgb expected[15];
    for (int s = 0; s < 15; ++s) {
        expected[s] = colours[s];
    }
    expected[1] = Rgb{101, 100, 100};
    expected[9] = colours[15];

    ColourTable table;
    merge_tile_colours(tile, &table);
    ExhaustiveColourTable reference;
    merge_tile_colours_exhaustively(tile, &reference);
    ASSERT_EQ(table.size, 15);
    ASSERT_EQ(reference.size, 15);
    for (int s = 0; s < 15; ++s) {
        EXPECT_EQ(entry_colour(table, s), expected[s]) << "slot " << s;
        EXPECT_EQ(reference.colour[s], expected[s]) << "slot " << s;
    }
    EXPECT_EQ(table.count[1], 8);
    EXPECT_EQ(table.count[9], 1);
    EXPECT_EQ(table.count[0], 1 + kTilePixels - 22);
}

// When j is the last entry it is simply freed.
TEST(MergeQuantizer, MergeWithTheLastEntryFreesIt) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < 15; ++p) {
        tile[p] = Rgb{static_cast<uint8_t>(p * 16), 0, 0};
    }
    tile[15] = Rgb{1, 0, 0};  // one away from entry 0; every other pair is at least 15 apart
    fill(tile, 16, kTilePixels - 1, tile[14]);
    ColourTable table;
    merge_tile_colours(tile, &table);
    ASSERT_EQ(table.size, 15);
    EXPECT_EQ(entry_colour(table, 0), (Rgb{0, 0, 0}));  // floor((0 + 1) / 2)
    EXPECT_EQ(table.count[0], 2);
    EXPECT_EQ(entry_colour(table, 14), (Rgb{224, 0, 0}));
    EXPECT_EQ(table.count[14], 1 + kTilePixels - 16);
    EXPECT_EQ(table.count[15], 0);
}

TEST(MergeQuantizer, RedAndBlueHalves) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = p % kTileSide < 16 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    }
    ColourSlots slots;
    quantize_by_merging(tile, &slots);
    ASSERT_EQ(slots.count, 2);
    EXPECT_EQ(slots.colour[0], (Rgb{255, 0, 0}));
    EXPECT_EQ(slots.colour[1], (Rgb{0, 0, 255}));
    EXPECT_EQ(nearest_palette_code(slots.colour[0]), 0x14);
    EXPECT_EQ(nearest_palette_code(slots.colour[1]), 0x94);
    EXPECT_EQ(nearest_slot({255, 0, 0}, slots), 0);
    EXPECT_EQ(nearest_slot({0, 0, 255}, slots), 1);
}

TEST(NearestSlot, LowestIndexWinsTiesAndFreeSlotsCount) {
    ColourSlots slots{};
    slots.count = 3;
    slots.colour[0] = {10, 0, 0};
    slots.colour[1] = {30, 0, 0};
    slots.colour[2] = {20, 0, 0};
    EXPECT_EQ(nearest_slot({20, 0, 0}, slots), 2);
    EXPECT_EQ(nearest_slot({25, 0, 0}, slots), 1);  // 25 from both 1 and 2: 1 wins
    EXPECT_EQ(nearest_slot({4, 0, 0}, slots), 3);   // free slot 3, (0, 0, 0), is nearest
    EXPECT_EQ(nearest_slot({5, 0, 0}, slots), 0);   // 25 from slot 0 and the free slots
}

}  // namespace
