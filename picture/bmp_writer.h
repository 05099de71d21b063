// Writing a picture as an uncompressed 24-bit BMP file: BITMAPINFOHEADER, rows
// stored bottom-up and padded to 4 bytes, resolution fields 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

// The complete file. The image holds width * height pixels, both sides at least 1.
std::vector<uint8_t> encode_bmp24(const Picture& image);
