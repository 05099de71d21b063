// The caller-owned working storage of the perceptual reductions. Fixed in size
// (1,031,208 bytes on x86-64: kConversionWorkspaceBytes); no conversion keeps
// anything in it from one tile to the next, so one workspace serves any number of
// conversions in turn, and each thread converting at once needs its own.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cielab.h"
#include "merge_colour_table.h"
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
    // CIE76 from each palette entry (search order) to each point. The search
    // reorders the columns; point_of_column and column_of_point translate.
    float distance[kPaletteSize][kTilePixels];
    int16_t point_of_column[kTilePixels];
    int16_t column_of_point[kTilePixels];
    float nearest[kTilePixels];  // distance to the nearest chosen entry
    float second[kTilePixels];   // and to the second nearest
    int8_t nearest_choice[kTilePixels];
    float stays[kTilePixels];  // a swap's terms per point (see swap_best_pair)
    float leaves[kTilePixels];
    float scratch[3][kTilePixels];
    uint8_t merge_record[kDesignRecordSize];
};

inline constexpr int kChannelCount = 3;
inline constexpr int kBlurCount = 2;    // the two blurs the dither's cost adds up
inline constexpr int kMetricTerms = 6;  // a symmetric 3 x 3 matrix

inline constexpr int kBlurWindowSide = 9;  // the widest blur's window

// A row's (or column's) distances to the picture's two edges, each capped at the
// widest blur's radius: all that the sum of a blur's weights within the picture
// depends on.
inline constexpr int kEdgeReach = kBlurWindowSide / 2 + 1;
inline constexpr int kEdgeClasses = kEdgeReach * kEdgeReach;

// The blurs' weights over a picture: a design's tile, or a whole grid's.
struct BlurGeometry {
    double kernel[kBlurCount][kBlurWindowSide][kBlurWindowSide];  // unnormalised weights
    // The sum of a blur's weights within the picture around a pixel, and 1 / it,
    // by the pixel's class of row and of column (see edge_class).
    double window_total[kBlurCount][kEdgeClasses][kEdgeClasses];
    double normaliser[kBlurCount][kEdgeClasses][kEdgeClasses];
};

struct DitherWorkspace {
    BlurGeometry geometry;                      // renormalised within the tile
    uint8_t edge_class[kTileSide];              // of each row and column of the tile
    double source[kTilePixels][kChannelCount];  // the tile in linear light
    double design[kTilePixels][kChannelCount];  // the current design in linear light
    // The cost of each blur at each pixel is e^T M e, e the blurred (design -
    // source) renormalised within the tile, M the pixel's metric: J^T J, J the
    // derivative of CIELAB at the blurred source, so that e^T M e is the squared
    // CIE76 error to first order. Kept: M (xx, xy, xz, yy, yz, zz) and M e.
    double metric[kBlurCount][kTilePixels][kMetricTerms];
    double weighted_error[kBlurCount][kTilePixels][kChannelCount];
    // For each pixel q, the sum over its windows of (normalised weight)^2 * M: the
    // cost's curvature in q's colour.
    double curvature[kTilePixels][kMetricTerms];
    double diffused[2][kTileSide + 2][kChannelCount];  // error diffusion: this row, next
    uint8_t slot_of_pixel[kTilePixels];
};

struct ConversionWorkspace {
    QualityWorkspace quality;
    DitherWorkspace dither;
};

inline constexpr std::size_t kConversionWorkspaceBytes = sizeof(ConversionWorkspace);
static_assert(kConversionWorkspaceBytes < 1536 * 1024);
