// The preview of the shown design beside the symbol, read back from the
// screen and compared with the record it must show.
#pragma once

#include <gtest/gtest.h>

#include "expected_symbols.h"
#include "screen_pixels.h"

// Where the preview may draw: the design, its swatch row and the gap between.
PixelRect preview_rect();

// The preview shows `record`: each design pixel a uniform 4 x 4 square of its
// slot's palette colour, or a marked black and white checkerboard where the
// slot's code is no palette colour or the nibble names no slot; one framed
// swatch per slot up to the highest slot in use; white everywhere else in its
// rectangle, and the whole of it inside the client area, clear of the symbol
// and its ring.
testing::AssertionResult shows_preview_of(const ClientPixels& pixels, const Record& record);
