#include "conversion_plan.h"

#include "tile_sources.h"

ConversionPlan plan_conversion(const ShellState& state, bool capture_present,
                               PictureSize file_image) {
    const bool file_image_present = file_image.width > 0 && file_image.height > 0;
    const Reduction reduction{state.median_cut ? ReductionKind::median_cut : state.chosen_reduction,
                              kMaxDitherStrength};
    if (!state.median_cut && capture_present) {
        return ConversionPlan{TileSource::capture_bitmap, reduction};
    }
    return ConversionPlan{file_image_present ? TileSource::file_image : TileSource::none,
                          reduction};
}

void read_tile_from_dib_rows(const uint8_t* bits, int width, int height, int column, int row,
                             Rgb* tile) {
    read_tile_pixels(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint8_t* bgr = bits + 3 * ((height - 1 - py) * width + px);
            return Rgb{bgr[2], bgr[1], bgr[0]};
        },
        tile);
}

void read_tile_from_pixel_reader(PixelReader read, void* context, int width, int height, int column,
                                 int row, Rgb* tile) {
    read_tile_pixels(
        width, height, column, row,
        [&](int64_t px, int64_t py) {
            const uint32_t value = read(context, static_cast<int>(px), static_cast<int>(py));
            return Rgb{static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value >> 16)};
        },
        tile);
}
