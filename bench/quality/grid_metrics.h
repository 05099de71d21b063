// How far an assembled grid of designs is from its picture, measured over the
// whole picture: the blurs span the borders between designs and are
// renormalised only at the picture's edges. Measurement only: uses libm freely.
#pragma once

#include <vector>

#include "tile.h"

// Sums over pixels, so that several pictures add up; divide by the counts.
struct GridErrors {
    double cie76 = 0;             // pointwise
    double box_blurred = 0;       // 3 x 3 box
    double gaussian_blurred = 0;  // sigma 1.5, cut at radius 4
    double gaussian_border = 0;   // sigma 1.5, pixels within 2 of a border between designs
    double gaussian_inside = 0;   // sigma 1.5, the other pixels
    double pixels = 0;
    double border_pixels = 0;
    double inside_pixels = 0;
};

// source and design: width x height pixels, top row first; adds to *errors.
void measure_grid(const std::vector<Rgb>& source, const std::vector<Rgb>& design, int width,
                  int height, GridErrors* errors);
