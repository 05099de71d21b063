// The preview drawn from a record: palette colours, marked damage, swatches.
#include "design_picture.h"
#include "design_preview.h"

#include <gtest/gtest.h>

#include "design_record.h"

namespace {

Rgb pixel_at(const PreviewPixels& preview, int x, int y) {
    const uint8_t* at = preview.bgr + (kPreviewHeight - 1 - y) * kPreviewRowBytes + 3 * x;
    return Rgb{at[2], at[1], at[0]};
}

TEST(DesignPreview, DamagedCodesAndNibblesAreMarkedAndSwatchesStopAtTheHighestSlotUsed) {
    uint8_t record[kDesignRecordSize] = {};
    record[kPaletteCodesOffset + 0] = 0x0F;  // white
    record[kPaletteCodesOffset + 1] = 0xEF;  // black
    record[kPaletteCodesOffset + 2] = 0x09;  // shade 9: no palette colour
    // Pixel (0, 0) slot 1, (1, 0) slot 2 (damaged), (2, 0) slot 15 (no slot); the rest slot 0.
    record[kPixelDataOffset + 0] = 0x21;
    record[kPixelDataOffset + 1] = 0x0F;
    PreviewPixels preview;
    render_design_preview(record, &preview);
    EXPECT_EQ(preview_swatch_count(record), 3);

    const Rgb black{0, 0, 0};
    const Rgb white{255, 255, 255};
    for (int dy = 0; dy < kPreviewPixelScale; ++dy) {
        for (int dx = 0; dx < kPreviewPixelScale; ++dx) {
            EXPECT_EQ(pixel_at(preview, dx, dy), black);
            for (int design_x : {1, 2}) {
                const int x = design_x * kPreviewPixelScale + dx;
                EXPECT_EQ(pixel_at(preview, x, dy), marked_cell_dark(x, dy) ? black : white);
            }
            EXPECT_EQ(pixel_at(preview, 3 * kPreviewPixelScale + dx, dy), white);
        }
    }
    const int swatch_top = kSwatchRowY - kPreviewY;
    const int middle_y = swatch_top + kSwatchHeight / 2;
    EXPECT_EQ(pixel_at(preview, 0, middle_y), kSwatchFrame);
    EXPECT_EQ(pixel_at(preview, kSwatchWidth + kSwatchWidth / 2, middle_y), black);
    // Slot 3 and above are used by no pixel: no swatch, white.
    EXPECT_EQ(pixel_at(preview, 3 * kSwatchWidth, middle_y), white);
    EXPECT_EQ(pixel_at(preview, 3 * kSwatchWidth - 1, middle_y), kSwatchFrame);
}

}  // namespace
