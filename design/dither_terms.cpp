#include "dither_terms.h"

#include <algorithm>

#include "colour_tables.h"
#include "design_record.h"
#include "palette.h"

static_assert(kBlurWindowSide == 2 * kGaussianRadius + 1);
static_assert(kBlurRadius[1] == kGaussianRadius);

namespace {

// The unnormalised weight of the pixel (dy, dx) away in a blur's window; 0
// beyond the blur's radius (|dy|, |dx| <= the widest radius).
double blur_kernel_weight(int blur, int dy, int dx) {
    const int ay = dy < 0 ? -dy : dy;
    const int ax = dx < 0 ? -dx : dx;
    if (ay > kBlurRadius[blur] || ax > kBlurRadius[blur])
        return 0;
    return blur == kBoxBlur ? 1.0 : kGaussianSigma1p5[ay] * kGaussianSigma1p5[ax];
}

// A row (or column) of each class a picture of `length` has: the first and the
// last kEdgeReach (some twice, or beyond a short picture).
int edge_position(int i, int length) {
    return i < kEdgeReach ? i : length - 2 * kEdgeReach + i;
}

}  // namespace

void fill_blur_geometry(int height, int width, BlurGeometry* g) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int dy = -kGaussianRadius; dy <= kGaussianRadius; ++dy) {
            for (int dx = -kGaussianRadius; dx <= kGaussianRadius; ++dx) {
                g->kernel[blur][dy + kGaussianRadius][dx + kGaussianRadius] =
                    blur_kernel_weight(blur, dy, dx);
            }
        }
        for (int i = 0; i < 2 * kEdgeReach; ++i) {
            for (int j = 0; j < 2 * kEdgeReach; ++j) {
                const int py = edge_position(i, height);
                const int px = edge_position(j, width);
                if (py < 0 || py >= height || px < 0 || px >= width)
                    continue;
                const BlurWindow win = blur_window(width, height, px, py, kBlurRadius[blur]);
                double total = 0;
                for (int y = win.y0; y <= win.y1; ++y) {
                    for (int x = win.x0; x <= win.x1; ++x) {
                        total +=
                            g->kernel[blur][y - py + kGaussianRadius][x - px + kGaussianRadius];
                    }
                }
                const int rows = edge_class(py, height);
                const int columns = edge_class(px, width);
                g->window_total[blur][rows][columns] = total;
                g->normaliser[blur][rows][columns] = 1.0 / total;
            }
        }
    }
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
