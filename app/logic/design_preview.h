// The picture of a design record that the window shows beside its symbol
// (design_picture.h: marked pixels as a checkerboard), with a swatch per slot in use.
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

// The design at 4 x 4 screen pixels a pixel, the swatch row under it, white elsewhere.
void render_design_preview(const uint8_t* record, PreviewPixels* preview);
