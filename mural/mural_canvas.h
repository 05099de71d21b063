// The whole picture of a grid while it is dithered across its designs: what
// each pixel needs, and the blurs' geometry over the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "colour_tables.h"
#include "design_count.h"
#include "dither_terms.h"
#include "tile.h"

// Pixel i = y * width + x. Sums that decide a record run in double; what is kept
// per pixel (100 bytes) is float: the metric, the curvature and the blurred
// error, so that 1600 designs fit in 200 MB. The source's CIELAB is computed
// afresh where it is needed.
inline constexpr int kCanvasBytesPerPixel =
    sizeof(Rgb) + sizeof(uint8_t) + kBlurCount * (kMetricTerms + kChannelCount) * sizeof(float) +
    kMetricTerms * sizeof(float);
static_assert(kCanvasBytesPerPixel == 100);

struct MuralCanvas {
    DesignGrid grid{0, 0};
    int width = 0;
    int height = 0;
    std::vector<Rgb> source;
    std::vector<uint8_t> slot;  // the slot of the pixel's own design it shows
    // Per blur, the metric M (6 a pixel) at the blurred source, and M e (3 a
    // pixel), e the blurred design less the blurred source: as in `dither`, but
    // the blurs span the designs' borders and are renormalised only at the
    // picture's edges.
    std::vector<float> metric[kBlurCount];
    std::vector<float> weighted_error[kBlurCount];
    std::vector<float> curvature;      // 6 a pixel: the cost's curvature in the pixel's colour
    std::vector<SlotColours> colours;  // per design, row-major
    std::vector<float> colour_lab;     // per design 15 x 3: its slots' CIELAB
    std::vector<uint8_t> own_colours;  // per design: how many of its colours are its `quality` ones
    BlurGeometry geometry;             // renormalised at the picture's edges only
    std::vector<uint8_t> row_class;    // edge_class of each row
    std::vector<uint8_t> column_class;  // and of each column

    int design_of(int x, int y) const { return y / kTileSide * grid.columns + x / kTileSide; }
};

// Sizes every array for the grid and fills the blurs' geometry.
void prepare_canvas(DesignGrid grid, MuralCanvas* c);

// Makes palette entry `entry` the colour of the design's slot, in linear light and CIELAB.
void set_design_colour(MuralCanvas* c, int design, int slot, int entry);
