// Checking a BMP file in memory before the platform converts its pixels, so
// that nothing reads past the end of a damaged or hostile file.
#pragma once

#include <cstdint>

// Larger sides are refused: no picture for 32 x 32 designs comes near, and it
// keeps every size computation far from overflowing.
inline constexpr int kMaxBmpSide = 1 << 15;

inline constexpr uint32_t kBmpFileHeaderBytes = 14;

struct BmpLayout {
    int width;             // > 0
    int height;            // > 0, whichever way the rows are stored
    uint32_t info_offset;  // the BITMAPINFO (header, masks, colour table): kBmpFileHeaderBytes
    uint32_t bits_offset;  // the pixel data
};

// Accepts the layouts that GDI's SetDIBits converts: a BITMAPINFOHEADER or a
// later version (V2 to V5) with 1, 4, 8, 16, 24 or 32 bits per pixel, stored
// uncompressed either way up, with bit-field masks (16 and 32 bits) or
// run-length encoded (4 and 8 bits, bottom-up). True when the header, masks,
// colour table and pixel data all lie inside the `size` bytes of `file`.
bool locate_bmp_parts(const uint8_t* file, uint64_t size, BmpLayout* layout);
