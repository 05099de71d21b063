#include "conversion_plan.h"

#include "tile.h"

bool design_inside_picture(DesignPosition position, PictureSize size) {
    return (position.column + 1) * kTileSide <= size.width &&
           (position.row + 1) * kTileSide <= size.height;
}

ConversionPlan plan_conversion(const ShellState& state, bool capture_present,
                               PictureSize file_image) {
    const bool file_image_present = file_image.width > 0 && file_image.height > 0;
    if (!state.median_cut && capture_present) {
        return ConversionPlan{TileSource::capture_bitmap, Quantizer::merge};
    }
    const Quantizer quantizer = state.median_cut ? Quantizer::median_cut : Quantizer::merge;
    if (!file_image_present) {
        return ConversionPlan{TileSource::none, quantizer};
    }
    const TileSource source = design_inside_picture(state.position, file_image)
                                  ? TileSource::file_image_rows
                                  : TileSource::file_image_clipped;
    return ConversionPlan{source, quantizer};
}
