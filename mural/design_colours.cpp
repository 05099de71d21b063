#include "design_colours.h"

#include <algorithm>

#include "colour_tables.h"
#include "quality_reduction.h"

namespace {

struct Candidate {
    double distance_sum;
    int entry;
};

// The sum over the tile's pixels, in tile order, of the CIE76 distance to `entry`.
double distance_sum(const float* tile_lab, int entry) {
    const float colour[3] = {static_cast<float>(kPaletteLab[entry].l),
                             static_cast<float>(kPaletteLab[entry].a),
                             static_cast<float>(kPaletteLab[entry].b)};
    double sum = 0;
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        sum += float_cie76(tile_lab + 3 * pixel, colour);
    }
    return sum;
}

}  // namespace

int choose_design_colours(const Rgb* tile, const float* tile_lab, QualityWorkspace* workspace,
                          uint8_t* quality_record, SlotColours* colours) {
    reduce_for_quality(tile, workspace, quality_record);
    *colours = slot_colours(quality_record);
    const int own = colours->count;
    bool chosen[kPaletteSize] = {};
    for (int slot = 0; slot < colours->count; ++slot) {
        chosen[colours->entry[slot]] = true;
    }
    Candidate lacking[kPaletteSize];
    int lacking_count = 0;
    for (int entry = 0; entry < kPaletteSize; ++entry) {
        if (!chosen[entry])
            lacking[lacking_count++] = Candidate{distance_sum(tile_lab, entry), entry};
    }
    const int wanted = std::min(kSlotCount - colours->count, lacking_count);
    // Ties go to search order.
    std::partial_sort(lacking, lacking + wanted, lacking + lacking_count,
                      [](const Candidate& x, const Candidate& y) {
                          return x.distance_sum < y.distance_sum ||
                                 (x.distance_sum == y.distance_sum && x.entry < y.entry);
                      });
    for (int k = 0; k < wanted; ++k) {
        set_slot_colour(colours, colours->count++, lacking[k].entry);
    }
    return own;
}
