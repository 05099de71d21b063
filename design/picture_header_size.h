// The size a picture file says it has, read from its header alone, so that a
// picture too large to read can be told apart from a damaged one before
// anything is allocated for it.
#pragma once

#include <cstddef>
#include <cstdint>

// Width and height from the header of a BMP (core or info header), PNG (IHDR)
// or JPEG (the first start-of-frame marker). False when the file is none of
// these or its header is cut off; the sizes are then untouched. Nothing is
// checked beyond what the two numbers need.
bool picture_header_size(const uint8_t* data, size_t size, int64_t* width, int64_t* height);
