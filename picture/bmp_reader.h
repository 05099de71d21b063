// A portable BMP reader: files of 1, 4, 8, 16, 24 and 32 bits per pixel into
// 24-bit RGB rows in picture order.
//
// Supported: BITMAPCOREHEADER (12 bytes; 1, 4, 8, 24 bits) and BITMAPINFOHEADER
// with its later extensions (40, 52, 56, 108 (V4) and 124 (V5) bytes), rows stored
// bottom-up or top-down. Palettised 1, 4 and 8 bits, uncompressed or, bottom-up
// only, run-length encoded (RLE4, RLE8); 16 and 32 bits as BI_RGB (5-5-5 and
// 8-8-8) or with BI_BITFIELDS / BI_ALPHABITFIELDS masks, each channel widened to 8
// bits by repeating its bits (or cut to its top 8 bits when wider); 24 bits BI_RGB.
// Alpha is ignored.
//
// Run-length streams: a pixel that the stream never sets (skipped by a delta or
// an early end of line, or left after the end-of-bitmap code) is black (0, 0, 0),
// as GDI leaves it when it writes such a stream into a fresh DIB section; pixels a
// run puts beyond the picture's edge are dropped. A stream that sets no pixel, or
// ends before its end-of-bitmap code, is refused as damaged.
//
// Every header field is checked before any pixel is read: a known header size;
// sides within picture_size_allowed; one plane; a depth and compression that fit
// each other; a colour count that the depth can index; masks that are one run of
// bits inside the pixel; and headers, colour table, masks and pixel data wholly
// inside the file. A pixel that refers beyond the colour table is refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "picture.h"

// Returns 0 with *out filled, or -1 with *error set (and *out left empty).
// *too_large, when given, tells whether it was refused because the sides its
// header states are over picture_size_allowed's bound.
int read_bmp(const uint8_t* data, size_t size, Picture* out, std::string* error,
             bool* too_large = nullptr);
