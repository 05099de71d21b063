// Committed tables for the perceptual reductions, written by
// tools/make_colour_tables.py: computed once with libm, so that every build
// reads the same bits.
#pragma once

#include "cielab.h"
#include "palette.h"

// Byte value v of an sRGB channel in linear light (the IEC 61966-2-1 curve).
extern const double kSrgbToLinear[256];

// CIELAB of kFixedPalette's colours, in its search order.
extern const Lab kPaletteLab[kPaletteSize];

// One side of a separable Gaussian, exp(-i^2 / (2 sigma^2)) for i = 0..radius.
inline constexpr int kGaussianRadius = 4;
extern const double kGaussianSigma1p5[kGaussianRadius + 1];
