// The perceptual reductions on designs cut from photographs: never worse than the
// merge quantiser, valid records, strength 0 as quality, and the same records on
// every build (the digest below is checked natively and under Wine).
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "colour_tables.h"
#include "design_conversion.h"
#include "design_record.h"
#include "palette.h"
#include "quality_reduction.h"

namespace {

constexpr uint8_t kPhotoTileBytes[][kTilePixels * 3] = {
#include "photo_tiles.inc"
};
constexpr int kPhotoTileCount = sizeof kPhotoTileBytes / sizeof kPhotoTileBytes[0];

void photo_tile(int index, Rgb* tile) {
    for (int p = 0; p < kTilePixels; ++p) {
        const uint8_t* c = &kPhotoTileBytes[index][3 * p];
        tile[p] = Rgb{c[0], c[1], c[2]};
    }
}

int slot_at(const uint8_t* record, int pixel) {
    const uint8_t byte = record[kPixelDataOffset + pixel / 2];
    return pixel % 2 == 0 ? byte & 0xF : byte >> 4;
}

// Every nibble names a slot in use (the slots below the highest one named), every
// slot in use holds a palette code, the slots above hold 0x00, and the fixed
// fields are those of every written record.
void expect_valid(const uint8_t* record) {
    int in_use = 0;
    for (int p = 0; p < kTilePixels; ++p) {
        in_use = std::max(in_use, slot_at(record, p) + 1);
    }
    ASSERT_LE(in_use, kSlotCount);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const uint8_t code = record[kPaletteCodesOffset + slot];
        if (slot < in_use)
            EXPECT_GE(palette_index(code), 0) << "slot " << slot;
        else
            EXPECT_EQ(code, 0) << "slot " << slot;
    }
    EXPECT_EQ(std::memcmp(record + kFixedBytesOffset, kFixedBytes, kFixedBytesLength), 0);
    uint8_t merge[kDesignRecordSize];
    const Rgb black[kTilePixels] = {};
    convert_tile_to_record(black, ReductionKind::merge, merge);
    EXPECT_EQ(std::memcmp(record, merge, kPaletteCodesOffset), 0) << "texts and numbers";
}

struct Records {
    uint8_t merge[kDesignRecordSize];
    uint8_t quality[kDesignRecordSize];
    uint8_t dither[kDesignRecordSize];
    uint8_t half_dither[kDesignRecordSize];
    uint8_t flat_dither[kDesignRecordSize];
};

void convert_all(const Rgb* tile, ConversionWorkspace* workspace, Records* r) {
    convert_tile_to_record(tile, ReductionKind::merge, r->merge);
    convert_tile_to_record(tile, Reduction{ReductionKind::quality}, workspace, r->quality);
    convert_tile_to_record(tile, Reduction{ReductionKind::dither}, workspace, r->dither);
    convert_tile_to_record(tile, Reduction{ReductionKind::dither, 50}, workspace, r->half_dither);
    convert_tile_to_record(tile, Reduction{ReductionKind::dither, 0}, workspace, r->flat_dither);
}

uint64_t fnv1a(uint64_t hash, const uint8_t* bytes, int length) {
    for (int i = 0; i < length; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3ULL;
    }
    return hash;
}

TEST(PerceptualReduction, PhotoTilesGiveValidRecordsNoWorseThanMergeAndTheCommittedDigest) {
    auto workspace = std::make_unique<ConversionWorkspace>();
    Rgb tile[kTilePixels];
    Records r;
    uint64_t digest = 0xcbf29ce484222325ULL;
    for (int t = 0; t < kPhotoTileCount; ++t) {
        SCOPED_TRACE("photo tile " + std::to_string(t));
        photo_tile(t, tile);
        convert_all(tile, workspace.get(), &r);
        EXPECT_LE(pointwise_cie76_sum(tile, r.quality), pointwise_cie76_sum(tile, r.merge));
        EXPECT_EQ(std::memcmp(r.flat_dither, r.quality, kDesignRecordSize), 0) << "strength 0";
        EXPECT_EQ(std::memcmp(r.dither + kPaletteCodesOffset, r.quality + kPaletteCodesOffset,
                              kPaletteCodesLength),
                  0)
            << "dither keeps the quality colours";
        for (const uint8_t* record : {r.quality, r.dither, r.half_dither}) {
            expect_valid(record);
            digest = fnv1a(digest, record, kDesignRecordSize);
        }
    }
    // Records of every build: Linux and Windows, any optimisation level.
    EXPECT_EQ(digest, 0x3f577050653c76caULL);
}

TEST(PerceptualReduction, TileOfTwoPaletteColoursKeepsThemExactly) {
    Rgb tile[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = p % kTileSide < kTileSide / 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    }
    auto workspace = std::make_unique<ConversionWorkspace>();
    for (ReductionKind q : {ReductionKind::quality, ReductionKind::dither}) {
        uint8_t record[kDesignRecordSize];
        convert_tile_to_record(tile, Reduction{q}, workspace.get(), record);
        EXPECT_EQ(record[kPaletteCodesOffset], 0x14);
        EXPECT_EQ(record[kPaletteCodesOffset + 1], 0x94);
        for (int slot = 2; slot < kSlotCount; ++slot) {
            EXPECT_EQ(record[kPaletteCodesOffset + slot], 0);
        }
        for (int y = 0; y < kTileSide; ++y) {
            for (int b = 0; b < kPixelRowBytes; ++b) {
                EXPECT_EQ(record[kPixelDataOffset + y * kPixelRowBytes + b], b < 8 ? 0x00 : 0x11);
            }
        }
    }
}

// The committed table must be what the conversion computes: a pixel of a palette
// colour lies at distance exactly 0 from it.
TEST(PerceptualReduction, CommittedPaletteLabIsTheConversionsOwn) {
    for (int e = 0; e < kPaletteSize; ++e) {
        const Lab lab = lab_of(kFixedPalette[e].colour);
        EXPECT_EQ(cie76(lab, kPaletteLab[e]), 0.0) << "entry " << e;
    }
    const Lab white = lab_of(Rgb{255, 255, 255});
    EXPECT_NEAR(white.l, 100.0, 1e-12);
    EXPECT_NEAR(white.a, 0.0, 1e-12);
    EXPECT_NEAR(white.b, 0.0, 1e-12);
    // With the four-digit sRGB matrix and its own white, by libm's cube root.
    const Lab red = lab_of(Rgb{255, 0, 0});
    EXPECT_NEAR(red.l, 53.232882, 1e-6);
    EXPECT_NEAR(red.a, 80.105327, 1e-6);
    EXPECT_NEAR(red.b, 67.222782, 1e-6);
}

}  // namespace
