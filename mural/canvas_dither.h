// The stages of the dither across designs over a prepared canvas: error
// diffusion, the blurs' state, and the passes of the search.
#pragma once

#include <functional>

#include "mural_canvas.h"

// Serpentine Floyd-Steinberg over the whole picture in linear light; the error
// crosses the designs' borders, each pixel takes the nearest of its own design's colours.
void diffuse_across_designs(MuralCanvas* c);

// The metric and M e of each blur for the pixel rows [y0, y1). Reads only the
// source and the slots: rows may be prepared in any order, or at once.
void prepare_blur_rows(MuralCanvas* c, int y0, int y1);

// The curvature for the pixel rows [y0, y1), once every row's metric is prepared.
void prepare_curvature_rows(MuralCanvas* c, int y0, int y1);

// Called after each row of designs of a pass: (pass, row of designs); false stops.
using PassProgress = std::function<bool(int pass, int design_row)>;

// Direct binary search over the whole picture in raster order, pass after pass
// until one changes nothing (at most kMaxSearchPasses): the same moves in the
// same order as `dither`'s search within a design, with the blurs spanning the
// borders. With several threads, passes run at once a few rows apart, each
// seeing exactly what it would see one after the other: the same result for any
// number. Returns false when the progress stopped it.
bool search_passes(MuralCanvas* c, double pointwise_weight, int threads,
                   const PassProgress& progress);
