#include "conversion_plan.h"

ConversionPlan plan_conversion(const ShellState& state, bool capture_present,
                               PictureSize file_image) {
    const bool file_image_present = file_image.width > 0 && file_image.height > 0;
    if (!state.median_cut && capture_present) {
        return ConversionPlan{TileSource::capture_bitmap, Quantizer::merge};
    }
    const Quantizer quantizer = state.median_cut ? Quantizer::median_cut : Quantizer::merge;
    return ConversionPlan{file_image_present ? TileSource::file_image : TileSource::none,
                          quantizer};
}
