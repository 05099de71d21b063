// How far a design is from its tile: pointwise CIE76 and CIEDE2000, and CIE76
// after blurring both in linear light. Measurement only: these use libm freely
// and decide no record.
#pragma once

#include <cstdint>

#include "tile.h"

struct DesignErrors {
    double cie76;             // mean over the 1024 pixels
    double ciede2000;         // mean over the 1024 pixels
    double box_blurred;       // mean CIE76 after a 3 x 3 box blur
    double gaussian_blurred;  // after a Gaussian of sigma 1.5 cut at radius 4
};

// design: the colour of each pixel of the design in tile order.
DesignErrors measure_design(const Rgb* tile, const Rgb* design);

// The colours a record shows, pixel by pixel.
void design_colours(const uint8_t* record, Rgb* design);
