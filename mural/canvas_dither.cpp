#include "canvas_dither.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

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
    // At full strength the pointwise term weighs nothing and is left out: adding
    // 0 times a distance changes no comparison, so the moves are the same.
    const bool pointwise_counts = pointwise_weight != 0;
    float pixel_lab[3];  // computed afresh: kept, it would cost 12 bytes a pixel
    const int current = c->slot[q];
    const double* design_colour = s.linear[current];
    double current_pointwise = 0;
    if (pointwise_counts) {
        float_lab_of(c->source[q], pixel_lab);
        current_pointwise = float_cie76(pixel_lab, slot_lab + 3 * current);
    }
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
        double change = 2.0 * linear_term + quadratic_form(curvature, delta);
        if (pointwise_counts) {
            const double pointwise = float_cie76(pixel_lab, slot_lab + 3 * slot);
            change +=
                pointwise_weight * (pointwise * pointwise - current_pointwise * current_pointwise);
        }
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

namespace {

using MoveMarks = std::vector<std::atomic<uint8_t>>;  // per design: moved in the pass

// Whether any design among `design`'s neighbours (itself included) is marked.
bool near_a_move(const MuralCanvas& c, const MoveMarks& marks, int design) {
    const int column = design % c.grid.columns;
    const int row = design / c.grid.columns;
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, c.grid.rows - 1); ++r) {
        for (int k = std::max(column - 1, 0); k <= std::min(column + 1, c.grid.columns - 1); ++k) {
            if (marks[static_cast<size_t>(r) * c.grid.columns + k].load(std::memory_order_relaxed))
                return true;
        }
    }
    return false;
}

// One row of one pass of direct binary search, in raster order; returns whether
// any pixel changed. last: the marks of the pass before (none for pass 0).
bool search_row(MuralCanvas* c, double pointwise_weight, const MoveMarks* last, int qy,
                MoveMarks* marks) {
    bool changed = false;
    for (int x0 = 0; x0 < c->width; x0 += kTileSide) {
        const int design = c->design_of(x0, qy);
        // Skipping is exact: nothing a pixel here reads changed since it was last
        // searched, and it did not move then (the blur's reach, twice over, is
        // less than a design). The marks of this pass only turn on, and only this
        // row's pixels could turn them on here, so one look serves the design's row.
        if (last != nullptr && !near_a_move(*c, *last, design) && !near_a_move(*c, *marks, design))
            continue;
        for (int qx = x0; qx < x0 + kTileSide; ++qx) {
            if (search_pixel(c, pointwise_weight, qx, qy)) {
                (*marks)[design].store(1, std::memory_order_relaxed);
                changed = true;
            }
        }
    }
    return changed;
}

// A pass may search row y once the pass before has finished every row within
// twice the blur's reach below it: those rows' moves are all it can see of that
// pass, and nothing it changes is read by the rows the pass before has still to do.
constexpr int kRowsAhead = 2 * kGaussianRadius + 1;

struct PassState {
    explicit PassState(size_t designs) : marks(designs) {}
    MoveMarks marks;
    std::atomic<int> rows_done{0};
    std::atomic<bool> changed{false};
};

}  // namespace

bool search_passes(MuralCanvas* c, double pointwise_weight, int threads,
                   const PassProgress& progress) {
    const size_t designs = static_cast<size_t>(c->grid.columns) * c->grid.rows;
    std::vector<std::unique_ptr<PassState>> passes;
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        passes.push_back(std::make_unique<PassState>(designs));
    }
    // A pass that changes nothing leaves the state as it found it, so every pass
    // after it changes nothing either: they may stop as soon as it is known.
    std::atomic<int> first_quiet_pass{kMaxSearchPasses};
    std::atomic<bool> stopped{false};
    auto run_pass = [&](int pass, bool reporting) {
        PassState& state = *passes[pass];
        const MoveMarks* last = pass > 0 ? &passes[pass - 1]->marks : nullptr;
        for (int y = 0; y < c->height; ++y) {
            if (pass > first_quiet_pass.load() || stopped.load())
                break;
            if (pass > 0) {
                const int needed = std::min(y + kRowsAhead, c->height);
                while (passes[pass - 1]->rows_done.load(std::memory_order_acquire) < needed) {
                    std::this_thread::yield();
                }
            }
            if (search_row(c, pointwise_weight, last, y, &state.marks))
                state.changed.store(true, std::memory_order_relaxed);
            state.rows_done.store(y + 1, std::memory_order_release);
            if (reporting && (y + 1) % kTileSide == 0 && !progress(pass, y / kTileSide)) {
                stopped.store(true);
            }
        }
        state.rows_done.store(c->height, std::memory_order_release);
        if (!state.changed.load()) {
            int quiet = first_quiet_pass.load();
            while (pass < quiet && !first_quiet_pass.compare_exchange_weak(quiet, pass)) {
            }
        }
    };
    // Thread t runs passes t, t + threads, ...; the calling thread is 0 and reports.
    auto run_thread = [&](int t, int count) {
        for (int pass = t; pass < kMaxSearchPasses; pass += count) {
            run_pass(pass, t == 0);
        }
    };
    const int count = std::clamp(threads, 1, kMaxSearchPasses);
    std::vector<std::thread> helpers;
    for (int t = 1; t < count; ++t) {
        helpers.emplace_back(run_thread, t, count);
    }
    run_thread(0, count);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return !stopped.load();
}
