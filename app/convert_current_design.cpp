#include "convert_current_design.h"

#include <algorithm>

#include "across_designs_records.h"
#include "app_objects.h"
#include "app_state.h"
#include "design_conversion.h"
#include "design_stepping.h"
#include "design_tiles.h"
#include "edited_designs.h"
#include "encoder.h"
#include "reduction_menu.h"

namespace {

// Room for the reductions that need more than the tile; one conversion at a time.
ConversionWorkspace conversion_workspace;

}  // namespace

ConversionPlan current_conversion_plan() {
    return plan_conversion(app.shell, capture_present(), file_image_size());
}

void convert_current_design(HWND main_window) {
    // A click sent to the disabled window while the grid is reduced: the design
    // it asks for is shown once the records are there.
    if (across_designs_computing()) {
        return;
    }
    // An edited design shows its edit, not a fresh conversion.
    if (app.shell.display_mode == DisplayMode::current_design) {
        const RecordBytes* edited =
            edited_record_of(design_number(app.shell.grid, app.shell.position) - 1);
        if (edited != nullptr) {
            std::copy(edited->begin(), edited->end(), app.design_record);
            InvalidateRect(main_window, nullptr, TRUE);
            return;
        }
    }
    const ConversionPlan plan = current_conversion_plan();
    Rgb tile[kTilePixels];
    if (!read_design_tile(plan, app.shell.position, tile)) {
        return;
    }
    if (across_designs_in_force(app.shell)) {
        if (!across_designs_records_ready(main_window, plan)) {
            // Cancelled: the reduction in force before converts the design instead.
            cancel_across_designs(app.shell);
            convert_current_design(main_window);
            return;
        }
        const DesignGrid grid = app.shell.grid;
        const RecordBytes& record = kept_across_designs_records()[app.shell.position.row * grid.columns +
                                                                   app.shell.position.column];
        std::copy(record.begin(), record.end(), app.design_record);
    } else {
        drop_across_designs_records();
        convert_tile_to_record(tile, plan.reduction, &conversion_workspace, app.design_record);
    }
    app.shell.display_mode = DisplayMode::current_design;
    encode_qr(app.design_record);
    InvalidateRect(main_window, nullptr, TRUE);
}
