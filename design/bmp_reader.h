// A portable BMP reader: uncompressed files of 1, 4, 8, 16, 24 and 32 bits per
// pixel, bottom-up or top-down, into 24-bit RGB rows in picture order.
//
// Supported: BITMAPCOREHEADER (12 bytes; 1, 4, 8, 24 bits) and BITMAPINFOHEADER
// with its later extensions (40, 52, 56, 108 and 124 bytes). Palettised 1, 4 and
// 8 bits; 16 and 32 bits as BI_RGB (5-5-5 and 8-8-8) or with BI_BITFIELDS /
// BI_ALPHABITFIELDS masks, each channel widened to 8 bits by repeating its bits
// (or cut to its top 8 bits when wider); 24 bits BI_RGB. Alpha is ignored.
// Refused with a message: RLE, JPEG, PNG and unknown compressions, unknown header
// sizes and depths, zero or negative width, zero height, sides above kBmpMaxSide or
// more than kBmpMaxPixels pixels, and every header, palette, mask or pixel array
// that does not lie wholly inside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "bmp_image.h"

inline constexpr int kBmpMaxSide = 32768;
inline constexpr int64_t kBmpMaxPixels = int64_t{1} << 26;

// Returns 0 with *out filled, or -1 with *error set (and *out left empty).
int read_bmp(const uint8_t* data, size_t size, BmpImage* out, std::string* error);

// Reads the whole file at path and decodes it as read_bmp does.
int read_bmp_file(const char* path, BmpImage* out, std::string* error);
