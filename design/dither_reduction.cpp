#include "dither_reduction.h"

#include <algorithm>

#include "colour_tables.h"
#include "design_record_writer.h"
#include "dither_terms.h"
#include "quality_reduction.h"

namespace {

void fill_kernels(DitherWorkspace* w) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int dy = -kGaussianRadius; dy <= kGaussianRadius; ++dy) {
            for (int dx = -kGaussianRadius; dx <= kGaussianRadius; ++dx) {
                w->kernel[blur][dy + kGaussianRadius][dx + kGaussianRadius] =
                    blur_kernel_weight(blur, dy, dx);
            }
        }
    }
}

double kernel(const DitherWorkspace& w, int blur, int dy, int dx) {
    return w.kernel[blur][dy + kGaussianRadius][dx + kGaussianRadius];
}

struct Window {
    int y0, y1, x0, x1;  // inclusive, clipped to the tile
};

Window window_around(int pixel, int radius) {
    const int y = pixel / kTileSide;
    const int x = pixel % kTileSide;
    return Window{std::max(y - radius, 0), std::min(y + radius, kTileSide - 1),
                  std::max(x - radius, 0), std::min(x + radius, kTileSide - 1)};
}

void diffuse_errors(const SlotColours& s, DitherWorkspace* w) {
    for (auto& row : w->diffused) {
        for (auto& cell : row) {
            std::fill(cell, cell + kChannelCount, 0.0);
        }
    }
    int current = 0;
    for (int y = 0; y < kTileSide; ++y) {
        const int next = 1 - current;
        const bool rightwards = y % 2 == 0;
        const int step = rightwards ? 1 : -1;
        for (int i = 0; i < kTileSide; ++i) {
            const int x = rightwards ? i : kTileSide - 1 - i;
            const int pixel = y * kTileSide + x;
            const int cell = x + 1;  // the rows have a cell of margin on each side
            double value[kChannelCount];
            for (int ch = 0; ch < kChannelCount; ++ch) {
                value[ch] =
                    std::clamp(w->source[pixel][ch] + w->diffused[current][cell][ch], 0.0, 1.0);
            }
            const int slot = nearest_linear_slot(value, s);
            w->slot_of_pixel[pixel] = static_cast<uint8_t>(slot);
            for (int ch = 0; ch < kChannelCount; ++ch) {
                const double error = value[ch] - s.linear[slot][ch];
                w->diffused[current][cell + step][ch] += kDiffuseAhead * error;
                w->diffused[next][cell - step][ch] += kDiffuseBehindBelow * error;
                w->diffused[next][cell][ch] += kDiffuseBelow * error;
                w->diffused[next][cell + step][ch] += kDiffuseAheadBelow * error;
            }
        }
        for (auto& c : w->diffused[current]) {
            std::fill(c, c + kChannelCount, 0.0);
        }
        current = next;
    }
}

// The normalised weight with which pixel q enters the blur around pixel p.
double weight_of(const DitherWorkspace& w, int blur, int p, int q) {
    return kernel(w, blur, q / kTileSide - p / kTileSide, q % kTileSide - p % kTileSide) *
           w.blur_normaliser[blur][p];
}

// Calls visit(blur, p, weight) for every pixel p whose blur takes in pixel q,
// blur by blur and in tile order, with the weight q has there.
template <typename Visit>
void for_each_blur_around(const DitherWorkspace& w, int q, Visit visit) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        const Window win = window_around(q, kBlurRadius[blur]);
        for (int y = win.y0; y <= win.y1; ++y) {
            for (int x = win.x0; x <= win.x1; ++x) {
                const int p = y * kTileSide + x;
                visit(blur, p, weight_of(w, blur, p, q));
            }
        }
    }
}

void prepare_blurs(const SlotColours& s, DitherWorkspace* w) {
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        std::copy(s.linear[w->slot_of_pixel[pixel]], s.linear[w->slot_of_pixel[pixel]] + 3,
                  w->design[pixel]);
    }
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int p = 0; p < kTilePixels; ++p) {
            const Window win = window_around(p, kBlurRadius[blur]);
            double total = 0;
            double error[kChannelCount] = {};
            double source[kChannelCount] = {};
            for (int y = win.y0; y <= win.y1; ++y) {
                for (int x = win.x0; x <= win.x1; ++x) {
                    const int q = y * kTileSide + x;
                    const double k = kernel(*w, blur, y - p / kTileSide, x - p % kTileSide);
                    total += k;
                    for (int ch = 0; ch < kChannelCount; ++ch) {
                        error[ch] += k * (w->design[q][ch] - w->source[q][ch]);
                        source[ch] += k * w->source[q][ch];
                    }
                }
            }
            w->blur_normaliser[blur][p] = 1.0 / total;
            for (int ch = 0; ch < kChannelCount; ++ch) {
                error[ch] /= total;
                source[ch] /= total;
            }
            lab_metric(source, w->metric[blur][p]);
            metric_times(w->metric[blur][p], error, w->weighted_error[blur][p]);
        }
    }
    for (int q = 0; q < kTilePixels; ++q) {
        double* c = w->curvature[q];
        std::fill(c, c + kMetricTerms, 0.0);
        for_each_blur_around(*w, q, [&](int blur, int p, double k) {
            for (int t = 0; t < kMetricTerms; ++t) {
                c[t] += kBlurWeight[blur] * k * k * w->metric[blur][p][t];
            }
        });
    }
}

// Half the cost's gradient in q's design colour: over q's windows, weight * M e.
void slope_at(const DitherWorkspace& w, int q, double* slope) {
    std::fill(slope, slope + kChannelCount, 0.0);
    for_each_blur_around(w, q, [&](int blur, int p, double weight) {
        const double k = kBlurWeight[blur] * weight;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            slope[ch] += k * w.weighted_error[blur][p][ch];
        }
    });
}

void move_pixel(DitherWorkspace* w, int q, const double* change) {
    for_each_blur_around(*w, q, [&](int blur, int p, double k) {
        double moved[kChannelCount];
        metric_times(w->metric[blur][p], change, moved);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            w->weighted_error[blur][p][ch] += k * moved[ch];
        }
    });
    for (int ch = 0; ch < kChannelCount; ++ch) {
        w->design[q][ch] += change[ch];
    }
}

// One pass of direct binary search in tile order; returns whether any pixel changed.
bool search_pass(const SlotColours& s, const QualityWorkspace& quality, double pointwise_weight,
                 DitherWorkspace* w) {
    bool changed = false;
    for (int q = 0; q < kTilePixels; ++q) {
        double slope[kChannelCount];
        slope_at(*w, q, slope);
        const int point = quality.column_of_point[quality.point_of_pixel[q]];
        const int current = w->slot_of_pixel[q];
        const double current_pointwise = quality.distance[s.entry[current]][point];
        int best = current;
        double best_change = -kLeastChange;
        double best_delta[kChannelCount] = {};
        for (int slot = 0; slot < s.count; ++slot) {
            if (slot == current)
                continue;
            double delta[kChannelCount];
            double linear_term = 0;
            for (int ch = 0; ch < kChannelCount; ++ch) {
                delta[ch] = s.linear[slot][ch] - w->design[q][ch];
                linear_term += delta[ch] * slope[ch];
            }
            const double pointwise = quality.distance[s.entry[slot]][point];
            const double change =
                2.0 * linear_term + quadratic_form(w->curvature[q], delta) +
                pointwise_weight * (pointwise * pointwise - current_pointwise * current_pointwise);
            if (change < best_change) {
                best_change = change;
                best = slot;
                std::copy(delta, delta + kChannelCount, best_delta);
            }
        }
        if (best != current) {
            move_pixel(w, q, best_delta);
            w->slot_of_pixel[q] = static_cast<uint8_t>(best);
            changed = true;
        }
    }
    return changed;
}

void write_slots(const SlotColours& s, const DitherWorkspace& w, uint8_t* record) {
    uint8_t codes[kSlotCount];
    std::copy(record + kPaletteCodesOffset, record + kPaletteCodesOffset + s.count, codes);
    write_design_record(codes, s.count, w.slot_of_pixel, record);
}

SlotColours diffuse_quality_colours(const Rgb* tile, ConversionWorkspace* workspace,
                                    uint8_t* record) {
    reduce_for_quality(tile, &workspace->quality, record);
    DitherWorkspace* w = &workspace->dither;
    const SlotColours s = slot_colours(record);
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        w->source[pixel][0] = kSrgbToLinear[tile[pixel].r];
        w->source[pixel][1] = kSrgbToLinear[tile[pixel].g];
        w->source[pixel][2] = kSrgbToLinear[tile[pixel].b];
    }
    diffuse_errors(s, w);
    return s;
}

}  // namespace

void reduce_with_error_diffusion(const Rgb* tile, ConversionWorkspace* workspace, uint8_t* record) {
    const SlotColours s = diffuse_quality_colours(tile, workspace, record);
    write_slots(s, workspace->dither, record);
}

void reduce_with_dither(const Rgb* tile, int strength, ConversionWorkspace* workspace,
                        uint8_t* record) {
    strength = std::clamp(strength, 0, kMaxDitherStrength);
    if (strength == 0) {
        reduce_for_quality(tile, &workspace->quality, record);
        return;
    }
    const SlotColours s = diffuse_quality_colours(tile, workspace, record);
    DitherWorkspace* w = &workspace->dither;
    fill_kernels(w);
    prepare_blurs(s, w);
    const double pointwise_weight = kPointwiseScale * (kMaxDitherStrength - strength);
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        if (!search_pass(s, workspace->quality, pointwise_weight, w))
            break;
    }
    write_slots(s, *w, record);
}
