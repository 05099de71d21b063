// The terms the `dither` reduction is built from: its two blurs and their
// geometry over a picture, its cost and its error diffusion. The steps over them
// (dither_steps.h) serve the dither across a whole grid of designs (mural/) too.
#pragma once

#include <algorithm>
#include <cstdint>

#include "colour_tables.h"
#include "conversion_workspace.h"
#include "dither_reduction.h"
#include "tile.h"

// The cost the search lowers: for each blur, the squared blurred error summed
// over the picture, weighted; plus the pointwise term. The blurred error is
// measured in CIELAB to first order: linear light through the derivative of
// CIELAB at the blurred source. Chosen by measurement on photographs
// (docs/reduction-quality.md): a 3 x 3 box and a Gaussian of sigma 1.5, the two
// views the designs are judged by.
inline constexpr int kBoxBlur = 0;
inline constexpr int kBoxRadius = 1;
inline constexpr int kBlurRadius[kBlurCount] = {kBoxRadius, 4};
inline constexpr double kBlurWeight[kBlurCount] = {1.0, 1.0};

// The pointwise term: squared CIE76 of each pixel to its design colour, times
// (100 - strength) / 100: at strength 50 a pixel's own error counts as much as
// the blurred error around it.
inline constexpr double kPointwiseScale = 1.0 / kMaxDitherStrength;

inline constexpr int kMaxSearchPasses = 16;
// A change must lower the cost by more than this to be made, so that rounding
// cannot make two colours trade places for ever.
inline constexpr double kLeastChange = 1e-12;

// Floyd-Steinberg weights, mirrored on right-to-left rows.
inline constexpr double kDiffuseAhead = 7.0 / 16.0;
inline constexpr double kDiffuseBehindBelow = 3.0 / 16.0;
inline constexpr double kDiffuseBelow = 5.0 / 16.0;
inline constexpr double kDiffuseAheadBelow = 1.0 / 16.0;

// A row's (or column's) class among a picture's `length` rows (or columns).
inline int edge_class(int at, int length) {
    return std::min(at, kGaussianRadius) * kEdgeReach + std::min(length - 1 - at, kGaussianRadius);
}

// Fills the kernels, and the window totals of every class a height x width
// picture has: each summed as the blur's window is walked, row by row, left to right.
void fill_blur_geometry(int height, int width, BlurGeometry* g);

// The window of radius r around (x, y), clipped to a height x width picture.
struct BlurWindow {
    int y0, y1, x0, x1;  // inclusive
};
inline BlurWindow blur_window(int width, int height, int x, int y, int radius) {
    return BlurWindow{std::max(y - radius, 0), std::min(y + radius, height - 1),
                      std::max(x - radius, 0), std::min(x + radius, width - 1)};
}

// The colours a design may place, in linear light, with their palette indices.
struct SlotColours {
    int count;
    double linear[kSlotCount][kChannelCount];
    int entry[kSlotCount];  // palette index (search order)
};

// The colours of a written record's slots up to the highest one a pixel names.
SlotColours slot_colours(const uint8_t* record);

// Makes palette entry `entry` slot `slot`'s colour.
void set_slot_colour(SlotColours* s, int slot, int entry);

// The slot nearest to a linear-light value (squared distance; the lowest slot on ties).
int nearest_linear_slot(const double* value, const SlotColours& s);

// Symmetric 3 x 3 matrices as (xx, xy, xz, yy, yz, zz).
void metric_times(const double* m, const double* v, double* out);
double quadratic_form(const double* m, const double* v);

// J^T J for the derivative J of CIELAB at a linear-light colour.
void lab_metric(const double* colour, double* m);
