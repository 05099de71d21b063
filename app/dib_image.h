// Loading BMP files as the 24-bit bottom-up pixel rows that the conversion and
// the screenshot sampler read.
#pragma once

#include <windows.h>

// Loads a BMP file of any depth (1, 4, 8, 16, 24, 32 bits), uncompressed or
// run-length encoded, stored either way up, and returns it converted to a
// 24-bit bottom-up DIB section, blue-green-red, rows padded to 4 bytes (exactly
// 3 * width bytes when the width is a multiple of 4). Fills `description`,
// whose bmBits points at the rows. Returns nullptr, with nothing left
// allocated, when the file can't be read or is not such a BMP.
HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description);
