// The picture of a design record that the window shows beside its symbol,
// drawn from the record alone: the codes at 88 to 102 and the nibbles from 108.
// A slot whose code is not a palette colour, and a pixel whose nibble names no
// slot (15), are drawn as marked cells, a black and white checkerboard that no
// palette colour looks like, so a damaged design file shows as damaged.
#pragma once

#include <cstdint>

#include "rgb.h"
#include "window_layout.h"

// kPreviewWidth x kPreviewHeight screen pixels as a 24-bit bottom-up DIB holds
// them: rows bottom-up, blue-green-red, no padding (the width is a multiple of 4).
inline constexpr int kPreviewRowBytes = 3 * kPreviewWidth;
static_assert(kPreviewRowBytes % 4 == 0);

struct PreviewPixels {
    uint8_t bgr[kPreviewHeight * kPreviewRowBytes];
};

// The frame around each swatch, so that a white swatch shows on the white window.
inline constexpr Rgb kSwatchFrame = {128, 128, 128};

// Swatches shown: one per slot from 0 to the highest slot that a pixel uses.
int preview_swatch_count(const uint8_t* record);

// Whether screen pixel (x, y) of the preview, from its top left, is the dark
// square of a marked cell's checkerboard.
constexpr bool marked_cell_dark(int x, int y) {
    return (x + y) % 2 == 0;
}

// The design at 4 x 4 screen pixels a pixel, the swatch row under it, white elsewhere.
void render_design_preview(const uint8_t* record, PreviewPixels* preview);
