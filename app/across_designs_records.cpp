#include "across_designs_records.h"

#include <new>

#include "across_designs_dither.h"
#include "app_objects.h"
#include "app_state.h"
#include "design_tiles.h"
#include "message_box.h"
#include "message_texts.h"
#include "progress_window.h"

namespace {

// What the kept records were computed from.
struct RecordsKey {
    TileSource source = TileSource::none;
    int columns = 0;
    int rows = 0;
    unsigned generation = 0;

    bool operator==(const RecordsKey&) const = default;
};

std::vector<RecordBytes> kept;
RecordsKey kept_key;
bool computing = false;

}  // namespace

bool across_designs_records_ready(HWND main_window, const ConversionPlan& plan) {
    const RecordsKey key{plan.source, app.shell.grid.columns, app.shell.grid.rows,
                         picture_generation()};
    if (plan.source == TileSource::none || computing) {
        return false;
    }
    if (!kept.empty() && kept_key == key) {
        return true;
    }
    drop_across_designs_records();
    const DesignGrid grid = app.shell.grid;
    ProgressRun run;
    computing = true;
    begin_progress(main_window, kAcrossDesignsProgressTitle, kAcrossDesignsProgressFormat,
                   mural_progress_steps(grid), &run);
    // The tiles are read as stepping reads them; the one thread, as everything here.
    std::vector<RecordBytes> records;
    bool out_of_memory = false;
    try {
        records = dither_across_designs(
            grid, design_tile_reader(plan), MuralOptions{plan.reduction.dither_strength, 1},
            [&run](int done, int total) { return continue_progress(run, done, total); });
    } catch (const std::bad_alloc&) {
        out_of_memory = true;
    }
    end_progress(run);
    computing = false;
    if (out_of_memory) {
        show_message(main_window, kAcrossDesignsMemoryMessage, kErrorCaption);
    }
    if (records.empty()) {
        return false;
    }
    kept = std::move(records);
    kept_key = key;
    return true;
}

bool across_designs_computing() {
    return computing;
}

const std::vector<RecordBytes>& kept_across_designs_records() {
    return kept;
}

void drop_across_designs_records() {
    std::vector<RecordBytes>().swap(kept);
    kept_key = RecordsKey{};
}
