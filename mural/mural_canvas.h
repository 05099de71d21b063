// The whole picture of a grid while it is dithered across its designs: what
// each pixel needs, and the blurs' geometry over the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "colour_tables.h"
#include "design_count.h"
#include "dither_terms.h"
#include "tile.h"

// A row's (or column's) distances to the picture's two edges, each capped at the
// widest blur's radius: all that the sum of a blur's weights within the picture
// depends on.
inline constexpr int kEdgeReach = kGaussianRadius + 1;
inline constexpr int kEdgeClasses = kEdgeReach * kEdgeReach;

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
    // The sum of a blur's weights within the picture around a pixel, and 1 / it,
    // by the pixel's class of row and of column (see edge_class).
    double window_total[kBlurCount][kEdgeClasses][kEdgeClasses];
    double normaliser[kBlurCount][kEdgeClasses][kEdgeClasses];
    double kernel[kBlurCount][kBlurWindowSide][kBlurWindowSide];
    std::vector<uint8_t> row_class;
    std::vector<uint8_t> column_class;

    int design_of(int x, int y) const { return y / kTileSide * grid.columns + x / kTileSide; }
};

// Sizes every array for the grid and fills the blurs' geometry.
void prepare_canvas(DesignGrid grid, MuralCanvas* c);

// Makes palette entry `entry` the colour of the design's slot, in linear light and CIELAB.
void set_design_colour(MuralCanvas* c, int design, int slot, int entry);

// The clipped window of radius r around (x, y).
struct CanvasWindow {
    int y0, y1, x0, x1;  // inclusive
};
CanvasWindow canvas_window(const MuralCanvas& c, int x, int y, int radius);

// The normalised weight with which pixel (qx, qy) enters the blur around (px, py).
inline double canvas_weight(const MuralCanvas& c, int blur, int px, int py, int qx, int qy) {
    return c.kernel[blur][qy - py + kGaussianRadius][qx - px + kGaussianRadius] *
           c.normaliser[blur][c.row_class[py]][c.column_class[px]];
}
