#include "dither_terms.h"

#include <algorithm>

#include "colour_tables.h"
#include "design_record.h"
#include "palette.h"

static_assert(kBlurWindowSide == 2 * kGaussianRadius + 1);
static_assert(kBlurRadius[1] == kGaussianRadius);

double blur_kernel_weight(int blur, int dy, int dx) {
    const int ay = dy < 0 ? -dy : dy;
    const int ax = dx < 0 ? -dx : dx;
    if (ay > kBlurRadius[blur] || ax > kBlurRadius[blur])
        return 0;
    return blur == kBoxBlur ? 1.0 : kGaussianSigma1p5[ay] * kGaussianSigma1p5[ax];
}

namespace {

int slots_in_use(const uint8_t* record) {
    int highest = 0;
    for (int b = 0; b < kPixelDataLength; ++b) {
        const uint8_t byte = record[kPixelDataOffset + b];
        highest = std::max({highest, byte & 0xF, byte >> 4});
    }
    return highest + 1;
}

}  // namespace

SlotColours slot_colours(const uint8_t* record) {
    SlotColours s{};
    s.count = slots_in_use(record);
    for (int slot = 0; slot < s.count; ++slot) {
        set_slot_colour(&s, slot, palette_index(record[kPaletteCodesOffset + slot]));
    }
    return s;
}

void set_slot_colour(SlotColours* s, int slot, int entry) {
    s->entry[slot] = entry;
    const Rgb c = kFixedPalette[entry].colour;
    s->linear[slot][0] = kSrgbToLinear[c.r];
    s->linear[slot][1] = kSrgbToLinear[c.g];
    s->linear[slot][2] = kSrgbToLinear[c.b];
}

int nearest_linear_slot(const double* value, const SlotColours& s) {
    int best = 0;
    double best_distance = 0;
    for (int slot = 0; slot < s.count; ++slot) {
        double distance = 0;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            const double d = value[ch] - s.linear[slot][ch];
            distance += d * d;
        }
        if (slot == 0 || distance < best_distance) {
            best_distance = distance;
            best = slot;
        }
    }
    return best;
}

void metric_times(const double* m, const double* v, double* out) {
    out[0] = m[0] * v[0] + m[1] * v[1] + m[2] * v[2];
    out[1] = m[1] * v[0] + m[3] * v[1] + m[4] * v[2];
    out[2] = m[2] * v[0] + m[4] * v[1] + m[5] * v[2];
}

double quadratic_form(const double* m, const double* v) {
    return m[0] * v[0] * v[0] + m[3] * v[1] * v[1] + m[5] * v[2] * v[2] +
           2.0 * (m[1] * v[0] * v[1] + m[2] * v[0] * v[2] + m[4] * v[1] * v[2]);
}

void lab_metric(const double* colour, double* m) {
    double j[3][3];
    lab_jacobian(colour[0], colour[1], colour[2], j);
    constexpr int kRow[kMetricTerms] = {0, 0, 0, 1, 1, 2};
    constexpr int kColumn[kMetricTerms] = {0, 1, 2, 1, 2, 2};
    for (int t = 0; t < kMetricTerms; ++t) {
        m[t] = j[0][kRow[t]] * j[0][kColumn[t]] + j[1][kRow[t]] * j[1][kColumn[t]] +
               j[2][kRow[t]] * j[2][kColumn[t]];
    }
}
