#include "design_conversion.h"

#include "design_record_writer.h"
#include "median_cut_quantizer.h"
#include "merge_quantizer.h"
#include "quality_reduction.h"

namespace {

ConversionWorkspace shared_workspace;

}  // namespace

void convert_tile_to_record(const Rgb* tile, ReductionKind quantizer, uint8_t* record) {
    if (quantizer == ReductionKind::quality || quantizer == ReductionKind::dither) {
        convert_tile_to_record(tile, Reduction{quantizer}, &shared_workspace, record);
        return;
    }
    ColourSlots slots;
    if (quantizer == ReductionKind::median_cut) {
        quantize_by_median_cut(tile, &slots);
    } else {
        quantize_by_merging(tile, &slots);
    }
    write_design_record(tile, slots, record);
}

void convert_tile_to_record(const Rgb* tile, const Reduction& reduction,
                            ConversionWorkspace* workspace, uint8_t* record) {
    switch (reduction.kind) {
        case ReductionKind::quality:
            reduce_for_quality(tile, &workspace->quality, record);
            return;
        case ReductionKind::dither:
            reduce_with_dither(tile, reduction.dither_strength, workspace, record);
            return;
        case ReductionKind::merge:
        case ReductionKind::median_cut:
            break;
    }
    convert_tile_to_record(tile, reduction.kind, record);
}
