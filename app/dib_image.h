// Loading BMP files as the 24-bit bottom-up pixel rows that the conversion and
// the screenshot sampler read.
#pragma once

#include <windows.h>

#include "bmp_image.h"

// Loads a BMP file of any depth (1, 4, 8, 16, 24, 32 bits), uncompressed or
// run-length encoded, stored either way up, and returns it converted to a
// 24-bit bottom-up DIB section, blue-green-red, rows padded to 4 bytes (exactly
// 3 * width bytes when the width is a multiple of 4). Fills `description`,
// whose bmBits points at the rows. Returns nullptr, with nothing left
// allocated, when the file can't be read or is not such a BMP.
HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description);

// A new 24-bit bottom-up DIB section holding the picture's pixels, with its
// description; nullptr, with nothing left allocated, when it can't be made.
HBITMAP dib24_of_picture(const BmpImage& picture, BITMAP* description);

// The description of 24-bit blue-green-red rows stored bottom-up, for a DIB
// section or for drawing such rows.
BITMAPINFO bottom_up_dib24_header(LONG width, LONG height);
