// A design's pixels read back from a picture drawn as render_preview draws one,
// for a person who touched it up in another pixel editor.
#pragma once

#include <string>

#include "picture.h"
#include "rgb.h"

// The design's pixels of a 32 x 32 picture, or of one of 32k x 32k made of uniform
// k x k blocks: fills tile (kTilePixels in tile order) and *scale with k. Returns
// false with the fault in one line when the picture has another size, a block of
// more than one colour, or a pixel that was not fully opaque.
bool read_preview_pixels(const Picture& picture, Rgb* tile, int* scale, std::string* fault);
