#include "quality_reduction.h"

#include <algorithm>
#include <cmath>

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
        w->point_of_column[p] = static_cast<int16_t>(p);
    }
    float* __restrict l = w->scratch[0];
    float* __restrict a = w->scratch[1];
    float* __restrict b = w->scratch[2];
    for (int p = 0; p < padded; ++p) {
        l[p] = static_cast<float>(w->point_lab[p].l);
        a[p] = static_cast<float>(w->point_lab[p].a);
        b[p] = static_cast<float>(w->point_lab[p].b);
    }
    for (int e = 0; e < kPaletteSize; ++e) {
        const float pl = static_cast<float>(kPaletteLab[e].l);
        const float pa = static_cast<float>(kPaletteLab[e].a);
        const float pb = static_cast<float>(kPaletteLab[e].b);
        float* __restrict row = w->distance[e];
        for (int p = 0; p < padded; ++p) {
            const float dl = l[p] - pl;
            const float da = a[p] - pa;
            const float db = b[p] - pb;
            row[p] = std::sqrt(dl * dl + da * da + db * db);  // IEEE 754: correctly rounded
        }
        std::fill(row + count, row + padded, 0.0F);
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

template <typename T>
void permute(T* values, const int16_t* order, int count, T* scratch) {
    for (int k = 0; k < count; ++k) {
        scratch[k] = values[order[k]];
    }
    for (int k = 0; k < count; ++k) {
        values[k] = scratch[k];
    }
}

// Reorders the points (the distance table's columns and every per-point array) so
// that the points nearest to each medoid lie together: medoid i's from
// group_start[i] to group_start[i + 1]. Stable, so the order stays fixed.
void group_points_by_medoid(QualityWorkspace* w, int medoids, int* group_start) {
    const int count = w->colours.size;
    std::fill(group_start, group_start + medoids + 1, 0);
    for (int p = 0; p < count; ++p) {
        ++group_start[w->nearest_choice[p] + 1];
    }
    for (int i = 0; i < medoids; ++i) {
        group_start[i + 1] += group_start[i];
    }
    int next[kSlotCount];
    std::copy(group_start, group_start + medoids, next);
    int16_t order[kTilePixels];
    for (int p = 0; p < count; ++p) {
        order[next[w->nearest_choice[p]]++] = static_cast<int16_t>(p);
    }
    float* scratch = w->scratch[0];
    for (auto& row : w->distance) {
        permute(row, order, count, scratch);
    }
    permute(w->weight, order, count, scratch);
    permute(w->nearest, order, count, scratch);
    permute(w->second, order, count, scratch);
    int8_t choice_scratch[kTilePixels];
    permute(w->nearest_choice, order, count, choice_scratch);
    int16_t point_scratch[kTilePixels];
    permute(w->point_of_column, order, count, point_scratch);
}

// The sum of x[begin..end), in lanes (see kLanes).
double range_sum(const float* x, int begin, int end) {
    float lane[kLanes] = {};
    int k = begin;
    for (; k + kLanes <= end; k += kLanes) {
        for (int l = 0; l < kLanes; ++l) {
            lane[l] += x[k + l];
        }
    }
    for (int l = 0; k < end; ++k, ++l) {
        lane[l] += x[k];
    }
    double sum = 0;
    for (float value : lane) {
        sum += value;
    }
    return sum;
}

// One round of best-improvement swaps; returns false when no swap helps. The
// change of a swap (medoid i out, entry e in) is the loss of removing i, plus
// every point's gain from e, where i's points count their change against their
// second medoid instead.
bool swap_best_pair(QualityWorkspace* w, int padded, Medoids* m) {
    int group_start[kSlotCount + 1];
    group_points_by_medoid(w, m->count, group_start);
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
        // Per point: weight * (distance to e, if nearer, - distance now), its gain
        // if its medoid stays; and weight * (distance to e or its second medoid,
        // whichever is nearer, - distance now) beyond the loss already counted,
        // less the former: its change if its medoid leaves.
        float* __restrict stays = w->stays;
        float* __restrict leaves = w->leaves;
        const float* __restrict weight = w->weight;
        const float* __restrict nearest = w->nearest;
        const float* __restrict second = w->second;
        for (int p = 0; p < padded; ++p) {
            stays[p] = weight[p] * std::min(d[p] - nearest[p], 0.0F);
            leaves[p] = weight[p] * std::min(d[p] - second[p], 0.0F) - stays[p];
        }
        const double shared = range_sum(stays, 0, padded);
        for (int i = 0; i < m->count; ++i) {
            const double change = loss_of_removing[i] + shared +
                                  range_sum(leaves, group_start[i], group_start[i + 1]);
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
    uint8_t slot_of_point[kTilePixels];
    bool used[kSlotCount] = {};
    for (int column = 0; column < w->colours.size; ++column) {
        int best = 0;
        for (int slot = 1; slot < m.count; ++slot) {
            if (w->distance[m.entry[slot]][column] < w->distance[m.entry[best]][column])
                best = slot;
        }
        const int point = w->point_of_column[column];
        slot_of_point[point] = static_cast<uint8_t>(best);
        w->column_of_point[point] = static_cast<int16_t>(column);
        used[best] = true;
    }
    // A medoid whose points all went to later ones is nearest to none: drop it, so
    // that every slot in use has pixels. No point's nearest slot changes.
    uint8_t codes[kSlotCount];
    uint8_t kept_slot[kSlotCount];
    int kept = 0;
    for (int slot = 0; slot < m.count; ++slot) {
        if (used[slot]) {
            codes[kept] = kFixedPalette[m.entry[slot]].code;
            kept_slot[slot] = static_cast<uint8_t>(kept++);
        }
    }
    uint8_t slot_of_pixel[kTilePixels];
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        slot_of_pixel[pixel] = kept_slot[slot_of_point[w->point_of_pixel[pixel]]];
    }
    write_design_record(codes, kept, slot_of_pixel, record);

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
