// Converting one 32 x 32 design of a picture into a design record.
#pragma once

#include <cstdint>

#include "tile.h"
#include "tile_sources.h"

// TEMPORARY stand-in for the reductions interface of the perceptual branch:
// dropped in favour of that branch's header when it is merged.
enum class Quantizer { merge, median_cut, quality, dither };
inline constexpr int kMaxDitherStrength = 100;
struct Reduction {
    Quantizer quantizer = Quantizer::merge;
    int dither_strength = kMaxDitherStrength;
};
struct ConversionWorkspace {
    int unused;
};

// Quantises the tile and writes all 620 bytes of the design record.
void convert_tile_to_record(const Rgb* tile, Quantizer quantizer, uint8_t* record);

// TEMPORARY: quality and dither fall back to merge until the real ones land.
void convert_tile_to_record(const Rgb* tile, const Reduction& reduction,
                            ConversionWorkspace* workspace, uint8_t* record);
