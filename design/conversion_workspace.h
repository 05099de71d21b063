// The caller-owned working storage of the perceptual reductions. Fixed in size
// (about 0.8 MB, see kConversionWorkspaceBytes' check below); no conversion keeps
// anything in it from one tile to the next, so one workspace serves any number of
// conversions in turn, and each thread converting at once needs its own.
#pragma once

#include <cstdint>

#include "cielab.h"
#include "colour_table.h"
#include "design_record.h"
#include "merge_quantizer.h"
#include "palette.h"
#include "tile.h"

// The k-medoids search over the palette works on the tile's distinct colours
// ("points"), each weighted by its pixel count.
struct QualityWorkspace {
    ColourTable colours;  // the distinct colours, then the merge quantiser's table
    MergeBuffers merge;
    int16_t point_of_pixel[kTilePixels];
    Lab point_lab[kTilePixels];
    float weight[kTilePixels];  // 0 beyond the last point
    // CIE76 from each palette entry (search order) to each point.
    float distance[kPaletteSize][kTilePixels];
    float nearest[kTilePixels];  // distance to the nearest chosen entry
    float second[kTilePixels];   // and to the second nearest
    int8_t nearest_choice[kTilePixels];
    uint8_t merge_record[kDesignRecordSize];
};

inline constexpr int kChannelCount = 3;
inline constexpr int kBlurCount = 2;  // the two blurs the dither's cost adds up

inline constexpr int kBlurWindowSide = 9;  // the widest blur's window

struct DitherWorkspace {
    double kernel[kBlurCount][kBlurWindowSide][kBlurWindowSide];  // unnormalised weights
    double source[kTilePixels][kChannelCount];  // the tile in linear light
    double design[kTilePixels][kChannelCount];  // the current design in linear light
    // Each blur of (design - source), renormalised within the tile.
    double blurred_error[kBlurCount][kTilePixels][kChannelCount];
    // 1 / the in-tile sum of a blur's weights around each pixel.
    double blur_normaliser[kBlurCount][kTilePixels];
    // Sum over the window of the squared normalised weights of each pixel.
    double self_weight[kTilePixels];
    double diffused[2][kTileSide + 2][kChannelCount];  // error diffusion: this row, next
    uint8_t slot_of_pixel[kTilePixels];
};

struct ConversionWorkspace {
    QualityWorkspace quality;
    DitherWorkspace dither;
};

inline constexpr long kConversionWorkspaceBytes = sizeof(ConversionWorkspace);
static_assert(kConversionWorkspaceBytes < 1024 * 1024, "keep it well under 1 MB");
