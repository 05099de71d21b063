// Where the main window draws, in client pixels. The constants are the layout
// at 96 DPI; window_layout_at scales it to a display's DPI, and the paint, the
// window's size and its font all read that one description.
#pragma once

#include <algorithm>

#include "qr_profile.h"
#include "colour_slots.h"
#include "tile.h"

inline constexpr int kMainWindowWidth = 400;  // outer size
inline constexpr int kMainWindowHeight = 360;

inline constexpr int kHeadingX = 0;
inline constexpr int kHeadingY = 0;
inline constexpr int kCounterX = 0;
inline constexpr int kCounterY = 24;
// One line of the texts: the height of the device context's default font at 96 DPI.
inline constexpr int kTextLineHeight = 18;

// The symbol: one module is a filled square of 2 x 2 pixels, top-left module
// at (40, 80), no quiet zone drawn; it covers x 40..225 and y 80..265.
inline constexpr int kSymbolX = 40;
inline constexpr int kSymbolY = 80;
inline constexpr int kModulePixels = 2;
inline constexpr int kSymbolPixels = kQrSide * kModulePixels;  // 186

// The preview of the shown design, right of the symbol: the symbol and a white
// ring of 4 pixels around it stay untouched, and the preview keeps 4 more
// pixels clear of the ring. One design pixel is a square of 4 x 4 screen
// pixels; under it, a row of one swatch per colour slot in use, and under
// that the design's name and, on the line below, its author.
inline constexpr int kSymbolRingPixels = 4;
inline constexpr int kPreviewGapPixels = 4;
inline constexpr int kPreviewX = kSymbolX + kSymbolPixels + kSymbolRingPixels + kPreviewGapPixels;
inline constexpr int kPreviewY = kSymbolY;
inline constexpr int kPreviewPixelScale = 4;
inline constexpr int kPreviewDesignSide = kTileSide * kPreviewPixelScale;  // 128
inline constexpr int kSwatchRowY = kPreviewY + kPreviewDesignSide + 8;
inline constexpr int kSwatchWidth = 8;
inline constexpr int kSwatchHeight = 16;
inline constexpr int kNameLinesGap = 4;
inline constexpr int kDesignNameLineY = kSwatchRowY + kSwatchHeight + kNameLinesGap;
inline constexpr int kAuthorNameLineY = kDesignNameLineY + kTextLineHeight;
inline constexpr int kPreviewWidth = kPreviewDesignSide;
inline constexpr int kPreviewHeight = kAuthorNameLineY + kTextLineHeight - kPreviewY;
static_assert(kPreviewX == 234);
static_assert(kDesignNameLineY == 236 && kAuthorNameLineY == 254 && kPreviewHeight == 192);
static_assert(kSlotCount * kSwatchWidth <= kPreviewWidth);

// The layout above is the one at this DPI; lower DPIs count as this one.
inline constexpr int kBaseDpi = 96;

struct LayoutPoint {
    int x;
    int y;
};

struct LayoutRect {
    int left;
    int top;
    int right;  // exclusive
    int bottom;
};

// The main window's layout at one DPI, in physical pixels.
struct WindowLayout {
    int dpi;
    int window_width;  // outer size
    int window_height;
    LayoutPoint heading;
    LayoutPoint counter;
    int text_line_height;  // the height of the texts' font
    LayoutPoint symbol;    // the top-left module
    int module_pixels;     // every module is a square of this side
    int symbol_pixels;
    int ring_pixels;     // white around the symbol
    LayoutRect preview;  // the 96-DPI preview, stretched to fill it
    // The two lines of the design's name and author, each text_line_height
    // high and cut with an ellipsis to the preview's width; inside the preview.
    LayoutRect design_name;
    LayoutRect author_name;
};

// A 96-DPI length at `dpi`, rounded to the nearest pixel.
constexpr int scale_to_dpi(int pixels, int dpi) {
    return (pixels * dpi + kBaseDpi / 2) / kBaseDpi;
}

// Whole pixels per module, so that the symbol stays crisp: 2 up to 143 DPI,
// 3 at 144, 4 at 192.
constexpr int module_pixels_at(int dpi) {
    return std::max(kModulePixels, dpi / (kBaseDpi / kModulePixels));
}

constexpr WindowLayout window_layout_at(int requested_dpi) {
    const int dpi = std::max(requested_dpi, kBaseDpi);
    auto scaled = [dpi](int pixels) { return scale_to_dpi(pixels, dpi); };
    WindowLayout layout{};
    layout.dpi = dpi;
    layout.window_width = scaled(kMainWindowWidth);
    layout.window_height = scaled(kMainWindowHeight);
    layout.heading = {scaled(kHeadingX), scaled(kHeadingY)};
    layout.counter = {scaled(kCounterX), scaled(kCounterY)};
    layout.text_line_height = scaled(kTextLineHeight);
    layout.symbol = {scaled(kSymbolX), scaled(kSymbolY)};
    layout.module_pixels = module_pixels_at(dpi);
    layout.symbol_pixels = kQrSide * layout.module_pixels;
    layout.ring_pixels = scaled(kSymbolRingPixels);
    // The preview follows the symbol's right edge, whatever the module size.
    const int preview_x =
        layout.symbol.x + layout.symbol_pixels + layout.ring_pixels + scaled(kPreviewGapPixels);
    const int preview_y = scaled(kPreviewY);
    layout.preview = {preview_x, preview_y, preview_x + scaled(kPreviewWidth),
                      preview_y + scaled(kPreviewHeight)};
    // The author's line follows the name's by one line of the font, so the two never overlap.
    auto name_line = [&](int top) {
        return LayoutRect{preview_x, top, layout.preview.right,
                          std::min(top + layout.text_line_height, layout.preview.bottom)};
    };
    layout.design_name = name_line(preview_y + scaled(kDesignNameLineY - kPreviewY));
    layout.author_name = name_line(layout.design_name.top + layout.text_line_height);
    return layout;
}
