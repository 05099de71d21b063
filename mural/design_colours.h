// The colours one design of a grid may place when dithered across designs: its
// `quality` colours, then, while it has fewer than 15, the palette colours it
// lacks in increasing order of their summed distance to its pixels.
#pragma once

#include <cmath>
#include <cstdint>

#include "cielab.h"
#include "conversion_workspace.h"
#include "dither_terms.h"
#include "tile.h"

// tile_lab: the tile's pixels in CIELAB as float, 3 a pixel in tile order (as
// the `quality` reduction measures them). Writes the `quality` record to
// quality_record and the design's colours, the quality ones first in their slots;
// returns how many the quality ones are.
int choose_design_colours(const Rgb* tile, const float* tile_lab, QualityWorkspace* workspace,
                           uint8_t* quality_record, SlotColours* colours);

// A colour's CIELAB as float, as the `quality` reduction holds its pixels'.
inline void float_lab_of(Rgb colour, float* lab) {
    const Lab exact = lab_of(colour);
    lab[0] = static_cast<float>(exact.l);
    lab[1] = static_cast<float>(exact.a);
    lab[2] = static_cast<float>(exact.b);
}

// CIE76 between a pixel's and a palette colour's CIELAB in float, exactly as the
// `quality` reduction's distance table holds it.
inline float float_cie76(const float* x, const float* y) {
    const float dl = x[0] - y[0];
    const float da = x[1] - y[1];
    const float db = x[2] - y[2];
    return std::sqrt(dl * dl + da * da + db * db);  // IEEE 754: correctly rounded
}
