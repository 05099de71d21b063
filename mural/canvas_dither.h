// The stages of the dither across designs over a prepared canvas: error
// diffusion, the blurs' state, and the passes of the search.
#pragma once

#include <cstdint>
#include <vector>

#include "mural_canvas.h"

// Serpentine Floyd-Steinberg over the whole picture in linear light; the error
// crosses the designs' borders, each pixel takes the nearest of its own design's colours.
void diffuse_across_designs(MuralCanvas* c);

// The metric and M e of each blur for the pixel rows [y0, y1). Reads only the
// source and the slots: rows may be prepared in any order, or at once.
void prepare_blur_rows(MuralCanvas* c, int y0, int y1);

// The curvature for the pixel rows [y0, y1), once every row's metric is prepared.
void prepare_curvature_rows(MuralCanvas* c, int y0, int y1);

// Which designs saw a move in the last pass and in this one, for the exact
// shortcut: a design none of whose neighbours (the blur's reach, twice over, is
// less than a design) moved since its last visit changes nothing and is skipped.
struct SearchMoves {
    std::vector<uint8_t> last_pass;
    std::vector<uint8_t> this_pass;
};

// One pass of direct binary search over the pixel rows [y0, y1) in raster
// order; returns whether any pixel changed. A pass is the rows from 0 to the
// height in turn; `first` marks pass 0.
bool search_rows(MuralCanvas* c, double pointwise_weight, bool first, int y0, int y1,
                 SearchMoves* moves);
