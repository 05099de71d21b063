#include "conversion_plan.h"

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
