#include "design_record.h"

#include <gtest/gtest.h>

#include <vector>

#include "design_conversion.h"

namespace {

using Record = std::vector<uint8_t>;

Record convert(const Rgb* tile, ReductionKind quantizer) {
    Record record(kDesignRecordSize, 0xAA);  // every byte must be written
    convert_tile_to_record(tile, quantizer, record.data());
    return record;
}

void fill_halves(Rgb* tile, Rgb left, Rgb right) {
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = p % kTileSide < 16 ? left : right;
    }
}

Record bytes(std::initializer_list<int> values) {
    return Record(values.begin(), values.end());
}

Record slice(const Record& record, int offset, int length) {
    return Record(record.begin() + offset, record.begin() + offset + length);
}

// Texts as their UTF-16LE bytes, written out by hand.
TEST(DesignRecord, FixedFieldsWhateverThePicture) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] =
            Rgb{static_cast<uint8_t>(p), static_cast<uint8_t>(p * 7), static_cast<uint8_t>(p >> 2)};
    }
    for (ReductionKind quantizer : {ReductionKind::merge, ReductionKind::median_cut}) {
        const Record record = convert(tile, quantizer);
        ASSERT_EQ(record.size(), 620u);
        Record name = bytes({0xC7, 0x30, 0xB6, 0x30, 0xA4, 0x30, 0xF3, 0x30});
        name.resize(42, 0);
        EXPECT_EQ(slice(record, 0, 42), name);
        EXPECT_EQ(slice(record, 42, 2), bytes({0x04, 0xB7}));
        Record author = bytes({0x82, 0x30, 0x77, 0x30});
        author.resize(20, 0);
        EXPECT_EQ(slice(record, 44, 20), author);
        EXPECT_EQ(slice(record, 64, 2), bytes({0x80, 0x96}));
        Record village = bytes({0xCC, 0x30, 0xD0, 0x30, 0xED, 0x30, 0xC6, 0x30});
        village.resize(22, 0);
        EXPECT_EQ(slice(record, 66, 22), village);
        EXPECT_EQ(slice(record, 103, 5), bytes({0x00, 0x0A, 0x09, 0x00, 0x00}));
    }
}

TEST(DesignRecord, SingleColourDesign) {
    Rgb tile[kTilePixels];
    fill_halves(tile, {0, 255, 0}, {0, 255, 0});
    const Record record = convert(tile, ReductionKind::merge);
    EXPECT_EQ(record[88], 0xF3);
    EXPECT_EQ(slice(record, 89, 14), Record(14, 0));
    EXPECT_EQ(slice(record, 108, 512), Record(512, 0));
}

TEST(DesignRecord, RedAndBlueHalvesWithTheMergeQuantizer) {
    Rgb tile[kTilePixels];
    fill_halves(tile, {255, 0, 0}, {0, 0, 255});
    const Record record = convert(tile, ReductionKind::merge);
    EXPECT_EQ(slice(record, 88, 2), bytes({0x14, 0x94}));
    EXPECT_EQ(slice(record, 90, 13), Record(13, 0));
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(slice(record, 108 + 16 * row, 8), Record(8, 0x00)) << "row " << row;
        EXPECT_EQ(slice(record, 116 + 16 * row, 8), Record(8, 0x11)) << "row " << row;
    }
}

TEST(DesignRecord, RedAndBlueHalvesWithTheMedianCutQuantizer) {
    Rgb tile[kTilePixels];
    fill_halves(tile, {255, 0, 0}, {0, 0, 255});
    const Record record = convert(tile, ReductionKind::median_cut);
    EXPECT_EQ(slice(record, 88, 8), Record(8, 0x14));
    EXPECT_EQ(slice(record, 96, 7), Record(7, 0x94));
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(slice(record, 108 + 16 * row, 8), Record(8, 0x00)) << "row " << row;
        EXPECT_EQ(slice(record, 116 + 16 * row, 8), Record(8, 0x88)) << "row " << row;
    }
}

// Even x in the low nibble, odd x in the high one; rows from the top.
TEST(DesignRecord, NibbleOrderAndRowOrder) {
    Rgb tile[kTilePixels];
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            // Slots by first appearance: white 0, black 1, red 2 (only in the top row).
            tile[32 * y + x] = x % 2 == 0 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
        }
    }
    tile[3] = Rgb{255, 0, 0};
    const Record record = convert(tile, ReductionKind::merge);
    EXPECT_EQ(slice(record, 88, 4), bytes({0x0F, 0xEF, 0x14, 0x00}));
    EXPECT_EQ(record[108], 0x10);
    EXPECT_EQ(record[109], 0x20);  // x = 2 white, x = 3 red
    EXPECT_EQ(record[110], 0x10);
    EXPECT_EQ(record[108 + 16], 0x10);
    EXPECT_EQ(record[108 + 16 + 1], 0x10);
}

TEST(DesignRecord, ConvertingTwiceGivesTheSameRecord) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] =
            Rgb{static_cast<uint8_t>(p * 13), static_cast<uint8_t>(p * 5), static_cast<uint8_t>(p)};
    }
    for (ReductionKind quantizer : {ReductionKind::merge, ReductionKind::median_cut}) {
        const Record first = convert(tile, quantizer);
        const Record second = convert(tile, quantizer);
        EXPECT_EQ(first, second);
        for (int b = 108; b < 620; ++b) {
            EXPECT_NE(first[b] & 0x0F, 0x0F);
            EXPECT_NE(first[b] & 0xF0, 0xF0);
        }
    }
}

}  // namespace
