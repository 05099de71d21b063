// Test pictures as files of the kinds people pass around: PNG in colour, grey
// or 1 bit, palette BMP, and JPEG at a chosen quality.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

enum class PictureFileKind { png, png_grey, png_one_bit, bmp_palette, jpeg };

// The file's bytes. Grey and one-bit PNG keep the green channel, one-bit
// splitting it at 128; the palette BMP holds 256 grey levels.
std::vector<uint8_t> picture_file(const Picture& picture, PictureFileKind kind,
                                  int jpeg_quality = 90);
