// Fitting a picture of any size to a grid of 32 x 32 designs: the part of the
// picture about its centre with the grid's aspect ratio, resampled to
// (columns * 32) x (rows * 32) pixels with a box filter in linear light.
// Outside the heap-free core: it allocates the fitted picture.
#pragma once

#include <string>

#include "design_count.h"
#include "picture.h"

// The grid offered for a width x height picture: among the grids that
// design_count_allowed accepts, the one whose ratio columns:rows is nearest the
// picture's, measured as the ratio of the larger to the smaller of the two
// (so 2:1 and 1:2 are equally far from 1:1); ties go to the most designs, then
// to the most columns. Both sides must be positive and within the reader's
// bound (picture_limits.h).
DesignGrid offered_fit_grid(int width, int height);

// A rectangle of picture pixels, (x, y) its top left counted from the top.
struct PictureRect {
    int x;
    int y;
    int width;
    int height;
};

// The part kept for the grid: the whole width or the whole height, the other
// side cut to the grid's ratio, rounded down but never below one pixel. The
// margin is split evenly; an odd margin leaves its extra pixel on the right or
// at the bottom.
PictureRect centred_crop(int width, int height, DesignGrid grid);

// The crop resampled to (columns * 32) x (rows * 32) by stb_image_resize's box
// filter with clamped edges in linear light (sRGB decoded and encoded again),
// which enlarges a smaller crop by the same call. Returns 0, or -1 with *error
// set and *fitted left alone when the grid is not allowed or the picture empty.
int fit_picture(const Picture& picture, DesignGrid grid, Picture* fitted, std::string* error);
