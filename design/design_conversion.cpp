#include "design_conversion.h"

#include "design_record_writer.h"
#include "median_cut_quantizer.h"
#include "merge_quantizer.h"

void convert_tile_to_record(const Rgb* tile, Quantizer quantizer, uint8_t* record) {
    ColourSlots slots;
    if (quantizer == Quantizer::median_cut) {
        quantize_by_median_cut(tile, &slots);
    } else {
        quantize_by_merging(tile, &slots);
    }
    write_design_record(tile, slots, record);
}

// TEMPORARY: stand-in until the perceptual reductions are merged.
void convert_tile_to_record(const Rgb* tile, const Reduction& reduction, ConversionWorkspace*,
                            uint8_t* record) {
    convert_tile_to_record(
        tile, reduction.quantizer == Quantizer::median_cut ? Quantizer::median_cut : Quantizer::merge,
        record);
}
