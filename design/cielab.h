// CIELAB from sRGB, computed with + - * / only (and sqrt for distances), so that
// the result is bit for bit the same on every compiler and C library.
#pragma once

#include "rgb.h"

struct Lab {
    double l;
    double a;
    double b;
};

// Linear-light RGB (0-1 per channel) to CIELAB: the sRGB matrix to XYZ, the
// matrix's row sums as white, and the Lab function with delta = 6/29. The cube
// root is a fixed number of Newton steps.
Lab lab_from_linear(double red, double green, double blue);

// An 8-bit sRGB colour to CIELAB, through the committed linear-light table.
Lab lab_of(Rgb colour);

// The CIE76 colour difference: Euclidean distance in CIELAB.
double cie76(const Lab& x, const Lab& y);

// The derivative of lab_from_linear at (red, green, blue): row i the gradient of
// L, a or b with respect to linear red, green and blue.
void lab_jacobian(double red, double green, double blue, double jacobian[3][3]);
