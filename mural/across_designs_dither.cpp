#include "across_designs_dither.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

#include "canvas_dither.h"
#include "design_colours.h"
#include "design_record_writer.h"
#include "mural_canvas.h"
#include "neighbour_colours.h"

namespace {

// Runs work(i, t) for i in [0, count) on `threads` threads (t from 0, the calling
// one 0); after each of its own items the calling thread asks after(done), and a
// false stops the run. Each item's result may depend only on its index, so the
// outcome is the same for any number of threads. False when stopped.
template <typename Work, typename After>
bool for_each_index(int count, int threads, Work work, After after) {
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    std::atomic<bool> stop{false};
    auto run = [&](int t) {
        for (;;) {
            if (stop.load())
                return;
            const int i = next.fetch_add(1);
            if (i >= count)
                return;
            work(i, t);
            const int finished = done.fetch_add(1) + 1;
            if (t == 0 && !after(finished))
                stop.store(true);
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < std::min(threads, count); ++t) {
        helpers.emplace_back(run, t);
    }
    run(0);
    for (std::thread& helper : helpers) {
        helper.join();
    }
    return !stop.load();
}

constexpr auto kAlwaysGoOn = [](int) { return true; };

void read_source(const TileReader& read_tile, MuralCanvas* c) {
    Rgb tile[kTilePixels];
    for (int row = 0; row < c->grid.rows; ++row) {
        for (int column = 0; column < c->grid.columns; ++column) {
            read_tile(column, row, tile);
            for (int p = 0; p < kTilePixels; ++p) {
                const int x = column * kTileSide + p % kTileSide;
                const int y = row * kTileSide + p / kTileSide;
                c->source[static_cast<size_t>(y) * c->width + x] = tile[p];
            }
        }
    }
}

// Pixel `pixel` of design `design` in tile order, as an index into the canvas.
size_t canvas_pixel(const MuralCanvas& c, int design, int pixel) {
    const int x = design % c.grid.columns * kTileSide + pixel % kTileSide;
    const int y = design / c.grid.columns * kTileSide + pixel / kTileSide;
    return static_cast<size_t>(y) * c.width + x;
}

void choose_colours(MuralCanvas* c, int design, QualityWorkspace* workspace,
                    uint8_t* quality_record) {
    Rgb tile[kTilePixels];
    float tile_lab[kTilePixels * 3];
    for (int p = 0; p < kTilePixels; ++p) {
        const size_t at = canvas_pixel(*c, design, p);
        tile[p] = c->source[at];
        float_lab_of(tile[p], &tile_lab[3 * p]);
    }
    SlotColours& s = c->colours[design];
    c->own_colours[design] =
        static_cast<uint8_t>(choose_design_colours(tile, tile_lab, workspace, quality_record, &s));
    for (int slot = 0; slot < s.count; ++slot) {
        set_design_colour(c, design, slot, s.entry[slot]);
    }
}

// The whole picture is dithered twice: once with each design's own colours, then
// once more after the full designs took their neighbours' colours.
constexpr int kDithers = 2;

// The progress steps of one dither: a row of designs' blurs, then each row of
// designs in each pass of the search.
int dither_steps(DesignGrid grid) {
    return (1 + kMaxSearchPasses) * grid.rows;
}

// One dither of the whole picture with the designs' colours as they stand:
// diffusion, the blurs' state, the search. Reports dither_steps from step `done`
// on; false when the progress stopped it. The curvature depends on the source
// alone: it is prepared only when `first`.
template <typename Report>
bool dither_picture(MuralCanvas* c, double pointwise_weight, int threads, bool first, int done,
                    const Report& report) {
    diffuse_across_designs(c);
    // The blurs count one step a row of designs (as the rows of pixels come in, in any order).
    const bool blurred = for_each_index(
        c->height, threads, [&](int y, int) { prepare_blur_rows(c, y, y + 1); },
        [&](int rows_done) { return report(done + rows_done / kTileSide); });
    if (!blurred)
        return false;
    if (first) {
        for_each_index(
            c->height, threads, [&](int y, int) { prepare_curvature_rows(c, y, y + 1); },
            kAlwaysGoOn);
    }
    const int searching = done + c->grid.rows;
    return search_passes(c, pointwise_weight, threads, [&](int pass, int design_row) {
        return report(searching + pass * c->grid.rows + design_row + 1);
    });
}

// The design's record from the canvas's slots; slots no pixel shows are dropped.
void write_record(const MuralCanvas& c, int design, uint8_t* record) {
    const SlotColours& s = c.colours[design];
    bool used[kSlotCount] = {};
    uint8_t slot_of_pixel[kTilePixels];
    for (int p = 0; p < kTilePixels; ++p) {
        slot_of_pixel[p] = c.slot[canvas_pixel(c, design, p)];
        used[slot_of_pixel[p]] = true;
    }
    uint8_t codes[kSlotCount];
    uint8_t kept_slot[kSlotCount] = {};
    int kept = 0;
    for (int slot = 0; slot < s.count; ++slot) {
        if (used[slot]) {
            codes[kept] = kFixedPalette[s.entry[slot]].code;
            kept_slot[slot] = static_cast<uint8_t>(kept++);
        }
    }
    for (uint8_t& slot : slot_of_pixel) {
        slot = kept_slot[slot];
    }
    write_design_record(codes, kept, slot_of_pixel, record);
}

}  // namespace

uint64_t mural_bytes(DesignGrid grid) {
    return static_cast<uint64_t>(grid.columns) * grid.rows * kTilePixels * kCanvasBytesPerPixel;
}

int mural_progress_steps(DesignGrid grid) {
    return grid.columns * grid.rows + kDithers * dither_steps(grid);
}

std::vector<RecordBytes> dither_across_designs(DesignGrid grid, const TileReader& read_tile,
                                               const MuralOptions& options,
                                               const GridProgress& progress) {
    const int designs = grid.columns * grid.rows;
    const int total = mural_progress_steps(grid);
    const int threads = std::max(options.threads, 1);
    const int strength = std::clamp(options.strength, 0, kMaxDitherStrength);
    auto report = [&](int done) { return !progress || progress(done, total); };

    auto c = std::make_unique<MuralCanvas>();
    prepare_canvas(grid, c.get());
    read_source(read_tile, c.get());

    std::vector<RecordBytes> records(designs);
    std::vector<std::unique_ptr<QualityWorkspace>> workspaces(threads);
    const bool coloured = for_each_index(
        designs, threads,
        [&](int design, int t) {
            if (!workspaces[t])
                workspaces[t] = std::make_unique<QualityWorkspace>();
            choose_colours(c.get(), design, workspaces[t].get(), records[design].data());
        },
        report);
    if (!coloured)
        return {};
    if (strength == 0)
        return report(total) ? records : std::vector<RecordBytes>{};
    workspaces.clear();

    const double pointwise_weight = kPointwiseScale * (kMaxDitherStrength - strength);
    if (!dither_picture(c.get(), pointwise_weight, threads, true, designs, report))
        return {};
    const int second = designs + dither_steps(grid);
    if (options.neighbours_colours && take_neighbours_colours(c.get()) &&
        !dither_picture(c.get(), pointwise_weight, threads, false, second, report))
        return {};
    if (!report(total))
        return {};
    for (int design = 0; design < designs; ++design) {
        write_record(*c, design, records[design].data());
    }
    return records;
}
