#include "window_layout.h"

#include <gtest/gtest.h>

namespace {

// The frame, caption and one-line menu bar of the window at 96 DPI, a little
// more than Windows 10 takes; they scale with the DPI like the client area.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 60;

TEST(WindowLayout, At96DpiAndBelowIsTheWindowAsItAlwaysWas) {
    for (const int dpi : {0, 72, 96}) {
        const WindowLayout layout = window_layout_at(dpi);
        EXPECT_EQ(layout.dpi, 96);
        EXPECT_EQ(layout.window_width, 400);
        EXPECT_EQ(layout.window_height, 360);
        EXPECT_EQ(layout.heading.x, 0);
        EXPECT_EQ(layout.heading.y, 0);
        EXPECT_EQ(layout.counter.x, 0);
        EXPECT_EQ(layout.counter.y, 24);
        EXPECT_EQ(layout.symbol.x, 40);
        EXPECT_EQ(layout.symbol.y, 80);
        EXPECT_EQ(layout.module_pixels, 2);
        EXPECT_EQ(layout.ring_pixels, 4);
        EXPECT_EQ(layout.preview.left, kPreviewX);
        EXPECT_EQ(layout.preview.top, kPreviewY);
        EXPECT_EQ(layout.preview.right, kPreviewX + kPreviewWidth);
        EXPECT_EQ(layout.preview.bottom, kPreviewY + kPreviewHeight);
        EXPECT_EQ(layout.design_name.left, 234);
        EXPECT_EQ(layout.design_name.top, 236);
        EXPECT_EQ(layout.author_name.top, 254);
        EXPECT_EQ(layout.design_name.right, 234 + 128);
    }
}

TEST(WindowLayout, ScalesEverythingAndKeepsItApartAndInsideTheClientArea) {
    EXPECT_EQ(window_layout_at(144).module_pixels, 3);
    EXPECT_EQ(window_layout_at(192).module_pixels, 4);
    EXPECT_EQ(window_layout_at(192).window_width, 800);
    EXPECT_EQ(window_layout_at(192).window_height, 720);
    for (int dpi = 96; dpi <= 288; ++dpi) {
        SCOPED_TRACE(dpi);
        const WindowLayout layout = window_layout_at(dpi);
        EXPECT_EQ(layout.module_pixels, std::max(2, dpi / 48));
        EXPECT_EQ(layout.window_width, scale_to_dpi(400, dpi));
        EXPECT_EQ(layout.window_height, scale_to_dpi(360, dpi));
        const int client_width = layout.window_width - scale_to_dpi(kFrameWidth, dpi);
        const int client_height = layout.window_height - scale_to_dpi(kFrameHeight, dpi);
        // Heading, counter and symbol one below the other.
        EXPECT_LE(layout.heading.y + layout.text_line_height, layout.counter.y);
        EXPECT_LE(layout.counter.y + layout.text_line_height, layout.symbol.y);
        // The preview clear of the symbol's ring, level with the symbol.
        const int symbol_right = layout.symbol.x + layout.symbol_pixels;
        EXPECT_LT(symbol_right + layout.ring_pixels, layout.preview.left);
        EXPECT_EQ(layout.preview.top, layout.symbol.y);
        EXPECT_GE(layout.preview.right - layout.preview.left, kPreviewWidth);
        // Everything inside the client area.
        EXPECT_LE(layout.preview.right, client_width);
        EXPECT_LE(layout.preview.bottom, client_height);
        EXPECT_LE(layout.symbol.y + layout.symbol_pixels + layout.ring_pixels, client_height);
        // The name lines under the swatches, one below the other, inside the preview.
        const int swatches_bottom = layout.preview.top + scale_to_dpi(kSwatchRowY + kSwatchHeight - kPreviewY, dpi);
        EXPECT_GE(layout.design_name.top, swatches_bottom);
        EXPECT_EQ(layout.author_name.top, layout.design_name.top + layout.text_line_height);
        EXPECT_GE(layout.author_name.bottom - layout.author_name.top, layout.text_line_height - 1);
        EXPECT_EQ(layout.design_name.left, layout.preview.left);
        EXPECT_EQ(layout.author_name.right, layout.preview.right);
        EXPECT_LE(layout.author_name.bottom, layout.preview.bottom);
    }
}

}  // namespace
