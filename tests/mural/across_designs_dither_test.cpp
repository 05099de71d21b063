// The dither across designs on a grid laid out from committed photograph tiles:
// valid records, the `quality` records at strength 0, the same records for any
// number of threads, and the same records on every build (the digest below is
// checked natively and under Wine).
#include "across_designs_dither.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "design_conversion.h"
#include "palette.h"

namespace {

constexpr uint8_t kPhotoTileBytes[][kTilePixels * 3] = {
#include "photo_tiles.inc"
};
constexpr int kPhotoTileCount = sizeof kPhotoTileBytes / sizeof kPhotoTileBytes[0];
constexpr DesignGrid kGrid{3, 2};
static_assert(kPhotoTileCount >= kGrid.columns * kGrid.rows);

void photo_tile(int column, int row, Rgb* tile) {
    const uint8_t* bytes = kPhotoTileBytes[row * kGrid.columns + column];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = Rgb{bytes[3 * p], bytes[3 * p + 1], bytes[3 * p + 2]};
    }
}

uint64_t fnv1a(uint64_t hash, const RecordBytes& bytes) {
    for (uint8_t b : bytes) {
        hash = (hash ^ b) * 0x100000001b3ULL;
    }
    return hash;
}

// Every slot in use holds a palette code and is shown by some pixel; the slots
// above hold 0x00.
void expect_valid(const RecordBytes& record) {
    bool shown[kSlotCount] = {};
    for (int p = 0; p < kTilePixels; ++p) {
        const uint8_t byte = record[kPixelDataOffset + p / 2];
        shown[p % 2 == 0 ? byte & 0xF : byte >> 4] = true;
    }
    int in_use = 0;
    while (in_use < kSlotCount && shown[in_use]) {
        ++in_use;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint8_t code = record[kPaletteCodesOffset + slot];
        if (slot < in_use)
            EXPECT_GE(palette_index(code), 0) << "slot " << slot;
        else
            EXPECT_TRUE(code == 0 && !shown[slot]) << "slot " << slot;
    }
}

TEST(AcrossDesignsDither, PhotoGridGivesValidRecordsForAnyThreadCountAndTheCommittedDigest) {
    uint64_t digest = 0xcbf29ce484222325ULL;
    for (int strength : {kMaxDitherStrength, 50}) {
        const std::vector<RecordBytes> one =
            dither_across_designs(kGrid, photo_tile, {strength, 1});
        const std::vector<RecordBytes> three =
            dither_across_designs(kGrid, photo_tile, {strength, 3});
        ASSERT_EQ(one.size(), 6U);
        EXPECT_EQ(one, three) << "strength " << strength;
        for (const RecordBytes& record : one) {
            expect_valid(record);
            digest = fnv1a(digest, record);
        }
    }
    // Records of every build: Linux and Windows, any optimisation level.
    EXPECT_EQ(digest, 0x2583fb7c1a3db735ULL);
}

TEST(AcrossDesignsDither, StrengthZeroGivesTheQualityRecordsAndACancelGivesNone) {
    const std::vector<RecordBytes> records = dither_across_designs(kGrid, photo_tile, {0, 2});
    auto workspace = std::make_unique<ConversionWorkspace>();
    for (int design = 0; design < 6; ++design) {
        Rgb tile[kTilePixels];
        photo_tile(design % kGrid.columns, design / kGrid.columns, tile);
        RecordBytes quality;
        convert_tile_to_record(tile, Reduction{ReductionKind::quality}, workspace.get(),
                               quality.data());
        EXPECT_EQ(records[design], quality) << "design " << design;
    }
    int last = 0;
    const std::vector<RecordBytes> cancelled =
        dither_across_designs(kGrid, photo_tile, {}, [&last](int done, int total) {
            EXPECT_EQ(total, mural_progress_steps(kGrid));
            last = done;
            return done < 8;
        });
    EXPECT_TRUE(cancelled.empty());
    EXPECT_EQ(last, 8);
}

}  // namespace
