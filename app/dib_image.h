// Loading BMP files as the 24-bit bottom-up pixel rows that the conversion and
// the screenshot sampler read.
#pragma once

#include <windows.h>

// Reads a BMP file through the portable BMP reader (every kind it takes: 1 to 32
// bits, run-length encoded, core to V5 headers, either row order) and returns its
// pixels in a new 24-bit bottom-up DIB section, blue-green-red, rows padded to 4
// bytes (exactly 3 * width bytes when the width is a multiple of 4). Fills
// `description`, whose bmBits points at the rows. Returns nullptr, with nothing
// left allocated, when the file can't be read or the reader refuses it.
HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description);
