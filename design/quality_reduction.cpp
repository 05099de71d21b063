#include "quality_reduction.h"

#include <algorithm>

#include "colour_tables.h"
#include "design_record_writer.h"

namespace {

// Sums over the points run in this many float lanes, added up in a fixed order at
// the end: the same result whether or not a compiler vectorises the loop.
constexpr int kLanes = 8;
static_assert(kTilePixels % kLanes == 0);

// Farther than any two sRGB colours are apart in CIE76 (at most about 260).
constexpr float kFarAway = 1000.0F;

// A swap must gain more than this (CIE76 units summed over pixels) to count, so
// that rounding in the sums cannot make two choices trade places for ever.
constexpr double kLeastSwapGain = 1e-3;
constexpr int kMaxSwapRounds = 100;

struct Medoids {
    int entry[kSlotCount];  // palette indices, in the order they were chosen
    int count;
    bool chosen[kPaletteSize];
};

int prepare_points(const Rgb* tile, QualityWorkspace* w) {
    collect_distinct_colours(tile, &w->colours, &w->merge.index, w->point_of_pixel);
    const int count = w->colours.size;
    const int padded = (count + kLanes - 1) / kLanes * kLanes;
    for (int p = 0; p < padded; ++p) {
        const bool real = p < count;
        w->point_lab[p] = real ? lab_of(entry_colour(w->colours, p)) : Lab{0, 0, 0};
        w->weight[p] = real ? static_cast<float>(w->colours.count[p]) : 0.0F;
        w->nearest[p] = real ? kFarAway : 0.0F;
        w->second[p] = real ? kFarAway : 0.0F;
        w->nearest_choice[p] = 0;
    }
    for (int e = 0; e < kPaletteSize; ++e) {
        float* row = w->distance[e];
        for (int p = 0; p < padded; ++p) {
            row[p] = p < count ? static_cast<float>(cie76(w->point_lab[p], kPaletteLab[e])) : 0.0F;
        }
    }
    return padded;
}

// How much adding palette entry e would lower the weighted sum of distances.
double gain_of_adding(const QualityWorkspace& w, int e, int padded) {
    const float* d = w.distance[e];
    float lane[kLanes] = {};
    for (int p = 0; p < padded; p += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
            lane[l] += w.weight[p + l] * std::max(w.nearest[p + l] - d[p + l], 0.0F);
        }
    }
    double sum = 0;
    for (float value : lane) {
        sum += value;
    }
    return sum;
}

void add_to_nearest(QualityWorkspace* w, int e, int choice, int padded) {
    const float* d = w->distance[e];
    for (int p = 0; p < padded; ++p) {
        if (d[p] < w->nearest[p]) {
            w->second[p] = w->nearest[p];
            w->nearest[p] = d[p];
            w->nearest_choice[p] = static_cast<int8_t>(choice);
        } else if (d[p] < w->second[p]) {
            w->second[p] = d[p];
        }
    }
}

void refresh_nearest(QualityWorkspace* w, const Medoids& m, int padded) {
    for (int p = 0; p < padded; ++p) {
        w->nearest[p] = w->weight[p] > 0 ? kFarAway : 0.0F;
        w->second[p] = w->nearest[p];
    }
    for (int i = 0; i < m.count; ++i) {
        add_to_nearest(w, m.entry[i], i, padded);
    }
}

// Greedy build: the entry that lowers the sum most, again and again, until 15 are
// chosen or no entry lowers it (fewer colours than slots). Ties: search order.
void build_medoids(QualityWorkspace* w, int padded, Medoids* m) {
    m->count = 0;
    std::fill(m->chosen, m->chosen + kPaletteSize, false);
    while (m->count < kSlotCount) {
        int best = -1;
        double best_gain = 0;
        for (int e = 0; e < kPaletteSize; ++e) {
            if (m->chosen[e])
                continue;
            const double gain = gain_of_adding(*w, e, padded);
            if (gain > best_gain) {
                best_gain = gain;
                best = e;
            }
        }
        if (best < 0)
            return;
        m->entry[m->count] = best;
        m->chosen[best] = true;
        add_to_nearest(w, best, m->count, padded);
        ++m->count;
    }
}

// One round of best-improvement swaps; returns false when no swap helps. The
// change of every swap (medoid i out, entry e in) is summed over the points
// whose distance it changes: those nearer to e than to their second medoid.
bool swap_best_pair(QualityWorkspace* w, int padded, Medoids* m) {
    double loss_of_removing[kSlotCount] = {};
    for (int p = 0; p < padded; ++p) {
        loss_of_removing[w->nearest_choice[p]] +=
            static_cast<double>(w->weight[p]) * (w->second[p] - w->nearest[p]);
    }
    double best_change = -kLeastSwapGain;
    int best_out = -1;
    int best_in = -1;
    for (int e = 0; e < kPaletteSize; ++e) {
        if (m->chosen[e])
            continue;
        const float* d = w->distance[e];
        double shared = 0;  // the gain of adding e, whichever medoid leaves
        double own[kSlotCount] = {};
        for (int p = 0; p < padded; ++p) {
            if (d[p] < w->second[p]) {
                const double weight = w->weight[p];
                const double closer = weight * std::min(d[p] - w->nearest[p], 0.0F);
                shared += closer;
                own[w->nearest_choice[p]] += weight * (d[p] - w->second[p]) - closer;
            }
        }
        for (int i = 0; i < m->count; ++i) {
            const double change = loss_of_removing[i] + shared + own[i];
            if (change < best_change) {
                best_change = change;
                best_out = i;
                best_in = e;
            }
        }
    }
    if (best_out < 0)
        return false;
    m->chosen[m->entry[best_out]] = false;
    m->chosen[best_in] = true;
    m->entry[best_out] = best_in;
    refresh_nearest(w, *m, padded);
    return true;
}

double record_cie76_sum(const Lab* lab_of_pixel_point, const int16_t* point_of_pixel,
                        const uint8_t* record) {
    double sum = 0;
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        const int row_byte = kPixelDataOffset + pixel / 2;
        const int slot = pixel % 2 == 0 ? record[row_byte] & 0xF : record[row_byte] >> 4;
        const int entry = palette_index(record[kPaletteCodesOffset + slot]);
        sum += cie76(lab_of_pixel_point[point_of_pixel[pixel]], kPaletteLab[entry]);
    }
    return sum;
}

void write_merge_record(const Rgb* tile, QualityWorkspace* w) {
    merge_tile_colours(tile, &w->colours, &w->merge);
    ColourSlots slots;
    slots.count = w->colours.size;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        slots.colour[slot] = entry_colour(w->colours, slot);
    }
    write_design_record(tile, slots, w->merge_record);
}

}  // namespace

void reduce_for_quality(const Rgb* tile, QualityWorkspace* w, uint8_t* record) {
    const int padded = prepare_points(tile, w);
    Medoids m;
    build_medoids(w, padded, &m);
    for (int round = 0; round < kMaxSwapRounds && swap_best_pair(w, padded, &m); ++round) {
    }

    // Slots in search order; every point on its nearest slot, the lowest on ties.
    std::sort(m.entry, m.entry + m.count);
    uint8_t codes[kSlotCount];
    for (int slot = 0; slot < m.count; ++slot) {
        codes[slot] = kFixedPalette[m.entry[slot]].code;
    }
    uint8_t slot_of_point[kTilePixels];
    for (int p = 0; p < w->colours.size; ++p) {
        int best = 0;
        for (int slot = 1; slot < m.count; ++slot) {
            if (w->distance[m.entry[slot]][p] < w->distance[m.entry[best]][p])
                best = slot;
        }
        slot_of_point[p] = static_cast<uint8_t>(best);
    }
    uint8_t slot_of_pixel[kTilePixels];
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        slot_of_pixel[pixel] = slot_of_point[w->point_of_pixel[pixel]];
    }
    write_design_record(codes, m.count, slot_of_pixel, record);

    write_merge_record(tile, w);
    if (record_cie76_sum(w->point_lab, w->point_of_pixel, w->merge_record) <
        record_cie76_sum(w->point_lab, w->point_of_pixel, record)) {
        std::copy(w->merge_record, w->merge_record + kDesignRecordSize, record);
    }
}

double pointwise_cie76_sum(const Rgb* tile, const uint8_t* record) {
    Lab lab[kTilePixels];
    int16_t identity[kTilePixels];
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        lab[pixel] = lab_of(tile[pixel]);
        identity[pixel] = static_cast<int16_t>(pixel);
    }
    return record_cie76_sum(lab, identity, record);
}
