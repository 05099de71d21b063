#include "canvas_dither.h"

#include <algorithm>

#include "design_colours.h"

namespace {

void source_linear(const MuralCanvas& c, size_t pixel, double* out) {
    const Rgb s = c.source[pixel];
    out[0] = kSrgbToLinear[s.r];
    out[1] = kSrgbToLinear[s.g];
    out[2] = kSrgbToLinear[s.b];
}

const double* design_linear(const MuralCanvas& c, int x, int y) {
    return c.colours[c.design_of(x, y)].linear[c.slot[static_cast<size_t>(y) * c.width + x]];
}

void load(const float* from, int count, double* to) {
    for (int k = 0; k < count; ++k) {
        to[k] = from[k];
    }
}

// Calls visit(blur, p, weight) for every pixel p whose blur takes in pixel
// (qx, qy), blur by blur and in raster order, with the weight q has there.
template <typename Visit>
void for_each_blur_around(const MuralCanvas& c, int qx, int qy, Visit visit) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        const CanvasWindow win = canvas_window(c, qx, qy, kBlurRadius[blur]);
        for (int y = win.y0; y <= win.y1; ++y) {
            for (int x = win.x0; x <= win.x1; ++x) {
                visit(blur, static_cast<size_t>(y) * c.width + x,
                      canvas_weight(c, blur, x, y, qx, qy));
            }
        }
    }
}

// Whether any design among `design`'s neighbours (itself included) is marked.
bool near_a_move(const MuralCanvas& c, const std::vector<uint8_t>& marks, int design) {
    const int column = design % c.grid.columns;
    const int row = design / c.grid.columns;
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, c.grid.rows - 1); ++r) {
        for (int k = std::max(column - 1, 0); k <= std::min(column + 1, c.grid.columns - 1); ++k) {
            if (marks[static_cast<size_t>(r) * c.grid.columns + k])
                return true;
        }
    }
    return false;
}

// Tries every colour of its design for pixel (qx, qy) and makes the best change
// that lowers the cost; returns whether it moved.
bool search_pixel(MuralCanvas* c, double pointwise_weight, int qx, int qy) {
    const size_t q = static_cast<size_t>(qy) * c->width + qx;
    const int design = c->design_of(qx, qy);
    const SlotColours& s = c->colours[design];
    const float* slot_lab = &c->colour_lab[static_cast<size_t>(design) * kSlotCount * 3];
    double slope[kChannelCount] = {};
    for_each_blur_around(*c, qx, qy, [&](int blur, size_t p, double weight) {
        const double k = kBlurWeight[blur] * weight;
        const float* e = &c->weighted_error[blur][p * kChannelCount];
        for (int ch = 0; ch < kChannelCount; ++ch) {
            slope[ch] += k * e[ch];
        }
    });
    double curvature[kMetricTerms];
    load(&c->curvature[q * kMetricTerms], kMetricTerms, curvature);
    const float* pixel_lab = &c->lab[q * 3];
    const int current = c->slot[q];
    const double* design_colour = s.linear[current];
    const double current_pointwise = float_cie76(pixel_lab, slot_lab + 3 * current);
    int best = current;
    double best_change = -kLeastChange;
    double best_delta[kChannelCount] = {};
    for (int slot = 0; slot < s.count; ++slot) {
        if (slot == current)
            continue;
        double delta[kChannelCount];
        double linear_term = 0;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            delta[ch] = s.linear[slot][ch] - design_colour[ch];
            linear_term += delta[ch] * slope[ch];
        }
        const double pointwise = float_cie76(pixel_lab, slot_lab + 3 * slot);
        const double change =
            2.0 * linear_term + quadratic_form(curvature, delta) +
            pointwise_weight * (pointwise * pointwise - current_pointwise * current_pointwise);
        if (change < best_change) {
            best_change = change;
            best = slot;
            std::copy(delta, delta + kChannelCount, best_delta);
        }
    }
    if (best == current)
        return false;
    for_each_blur_around(*c, qx, qy, [&](int blur, size_t p, double k) {
        double metric[kMetricTerms];
        load(&c->metric[blur][p * kMetricTerms], kMetricTerms, metric);
        double moved[kChannelCount];
        metric_times(metric, best_delta, moved);
        float* e = &c->weighted_error[blur][p * kChannelCount];
        for (int ch = 0; ch < kChannelCount; ++ch) {
            e[ch] = static_cast<float>(e[ch] + k * moved[ch]);
        }
    });
    c->slot[q] = static_cast<uint8_t>(best);
    return true;
}

}  // namespace

void diffuse_across_designs(MuralCanvas* c) {
    const int cells = c->width + 2;  // a cell of margin on each side
    std::vector<double> rows[2] = {std::vector<double>(cells * kChannelCount, 0.0),
                                   std::vector<double>(cells * kChannelCount, 0.0)};
    int current = 0;
    for (int y = 0; y < c->height; ++y) {
        const int next = 1 - current;
        const bool rightwards = y % 2 == 0;
        const int step = rightwards ? 1 : -1;
        double* here = rows[current].data();
        double* below = rows[next].data();
        for (int i = 0; i < c->width; ++i) {
            const int x = rightwards ? i : c->width - 1 - i;
            const size_t pixel = static_cast<size_t>(y) * c->width + x;
            const int cell = (x + 1) * kChannelCount;
            const int ahead = cell + step * kChannelCount;
            const int behind = cell - step * kChannelCount;
            double source[kChannelCount];
            source_linear(*c, pixel, source);
            double value[kChannelCount];
            for (int ch = 0; ch < kChannelCount; ++ch) {
                value[ch] = std::clamp(source[ch] + here[cell + ch], 0.0, 1.0);
            }
            const SlotColours& s = c->colours[c->design_of(x, y)];
            const int slot = nearest_linear_slot(value, s);
            c->slot[pixel] = static_cast<uint8_t>(slot);
            for (int ch = 0; ch < kChannelCount; ++ch) {
                const double error = value[ch] - s.linear[slot][ch];
                here[ahead + ch] += kDiffuseAhead * error;
                below[behind + ch] += kDiffuseBehindBelow * error;
                below[cell + ch] += kDiffuseBelow * error;
                below[ahead + ch] += kDiffuseAheadBelow * error;
            }
        }
        std::fill(rows[current].begin(), rows[current].end(), 0.0);
        current = next;
    }
}

void prepare_blur_rows(MuralCanvas* c, int y0, int y1) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int py = y0; py < y1; ++py) {
            for (int px = 0; px < c->width; ++px) {
                const CanvasWindow win = canvas_window(*c, px, py, kBlurRadius[blur]);
                double error[kChannelCount] = {};
                double source[kChannelCount] = {};
                for (int y = win.y0; y <= win.y1; ++y) {
                    for (int x = win.x0; x <= win.x1; ++x) {
                        const double k =
                            c->kernel[blur][y - py + kGaussianRadius][x - px + kGaussianRadius];
                        double here[kChannelCount];
                        source_linear(*c, static_cast<size_t>(y) * c->width + x, here);
                        const double* shown = design_linear(*c, x, y);
                        for (int ch = 0; ch < kChannelCount; ++ch) {
                            error[ch] += k * (shown[ch] - here[ch]);
                            source[ch] += k * here[ch];
                        }
                    }
                }
                const double total = c->window_total[blur][c->row_class[py]][c->column_class[px]];
                for (int ch = 0; ch < kChannelCount; ++ch) {
                    error[ch] /= total;
                    source[ch] /= total;
                }
                const size_t p = static_cast<size_t>(py) * c->width + px;
                double metric[kMetricTerms];
                lab_metric(source, metric);
                float* kept = &c->metric[blur][p * kMetricTerms];
                for (int t = 0; t < kMetricTerms; ++t) {
                    kept[t] = static_cast<float>(metric[t]);
                    metric[t] = kept[t];  // M e with the metric as kept
                }
                double weighted[kChannelCount];
                metric_times(metric, error, weighted);
                for (int ch = 0; ch < kChannelCount; ++ch) {
                    c->weighted_error[blur][p * kChannelCount + ch] =
                        static_cast<float>(weighted[ch]);
                }
            }
        }
    }
}

void prepare_curvature_rows(MuralCanvas* c, int y0, int y1) {
    for (int qy = y0; qy < y1; ++qy) {
        for (int qx = 0; qx < c->width; ++qx) {
            double sum[kMetricTerms] = {};
            for_each_blur_around(*c, qx, qy, [&](int blur, size_t p, double k) {
                const float* m = &c->metric[blur][p * kMetricTerms];
                for (int t = 0; t < kMetricTerms; ++t) {
                    sum[t] += kBlurWeight[blur] * k * k * m[t];
                }
            });
            float* kept = &c->curvature[(static_cast<size_t>(qy) * c->width + qx) * kMetricTerms];
            for (int t = 0; t < kMetricTerms; ++t) {
                kept[t] = static_cast<float>(sum[t]);
            }
        }
    }
}

bool search_rows(MuralCanvas* c, double pointwise_weight, bool first, int y0, int y1,
                 SearchMoves* moves) {
    bool changed = false;
    for (int qy = y0; qy < y1; ++qy) {
        for (int x0 = 0; x0 < c->width; x0 += kTileSide) {
            const int design = c->design_of(x0, qy);
            // Skipping is exact: nothing a pixel here reads changed since it was
            // last searched, and it did not move then. The marks only ever turn
            // on within a pass, so one look serves the design's whole row.
            if (!first && !near_a_move(*c, moves->last_pass, design) &&
                !near_a_move(*c, moves->this_pass, design))
                continue;
            for (int qx = x0; qx < x0 + kTileSide; ++qx) {
                if (search_pixel(c, pointwise_weight, qx, qy)) {
                    moves->this_pass[design] = 1;
                    changed = true;
                }
            }
        }
    }
    return changed;
}
