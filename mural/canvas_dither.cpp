#include "canvas_dither.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "design_colours.h"
#include "dither_steps.h"

namespace {

// The dither's steps over the whole picture: the blurs' state kept in float, the
// colours each pixel shows read from its design's slots.
struct CanvasSurface {
    using Stored = float;
    MuralCanvas* c;
    int width = c->width;
    int height = c->height;

    const BlurGeometry& geometry() const { return c->geometry; }
    int row_class(int y) const { return c->row_class[y]; }
    int column_class(int x) const { return c->column_class[x]; }
    void source(size_t pixel, double* linear) const {
        const Rgb s = c->source[pixel];
        linear[0] = kSrgbToLinear[s.r];
        linear[1] = kSrgbToLinear[s.g];
        linear[2] = kSrgbToLinear[s.b];
    }
    const SlotColours& colours(int x, int y) const { return c->colours[c->design_of(x, y)]; }
    uint8_t& slot(size_t pixel) { return c->slot[pixel]; }
    const double* shown(int x, int y) const {
        return colours(x, y).linear[c->slot[static_cast<size_t>(y) * width + x]];
    }
    void shown_moved(int, int, const double*) {}
    // The pixel's CIELAB is computed afresh: kept, it would cost 12 bytes a pixel.
    void pointwise_distances(int x, int y, const SlotColours& s, float* distance) const {
        float pixel_lab[3];
        float_lab_of(c->source[static_cast<size_t>(y) * width + x], pixel_lab);
        const size_t design = c->design_of(x, y);
        const float* slot_lab = &c->colour_lab[design * kSlotCount * 3];
        for (int slot = 0; slot < s.count; ++slot) {
            distance[slot] = float_cie76(pixel_lab, slot_lab + 3 * slot);
        }
    }
    float* metric(int blur, size_t pixel) { return &c->metric[blur][pixel * kMetricTerms]; }
    float* weighted_error(int blur, size_t pixel) {
        return &c->weighted_error[blur][pixel * kChannelCount];
    }
    float* curvature(size_t pixel) { return &c->curvature[pixel * kMetricTerms]; }
};

}  // namespace

template void diffuse_errors(CanvasSurface&, double*);
template void prepare_blur_rows(CanvasSurface&, int, int);
template void prepare_curvature_rows(CanvasSurface&, int, int);
template bool search_pixel(CanvasSurface&, double, int, int);

void diffuse_across_designs(MuralCanvas* c) {
    std::vector<double> rows(2 * (c->width + 2) * kChannelCount);
    CanvasSurface surface{c};
    diffuse_errors(surface, rows.data());
}

void prepare_blur_rows(MuralCanvas* c, int y0, int y1) {
    CanvasSurface surface{c};
    prepare_blur_rows(surface, y0, y1);
}

void prepare_curvature_rows(MuralCanvas* c, int y0, int y1) {
    CanvasSurface surface{c};
    prepare_curvature_rows(surface, y0, y1);
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
    CanvasSurface surface{c};
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
            if (search_pixel(surface, pointwise_weight, qx, qy)) {
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
