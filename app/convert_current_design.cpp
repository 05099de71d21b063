#include "convert_current_design.h"

#include <algorithm>

#include "across_designs_records.h"
#include "app_objects.h"
#include "app_state.h"
#include "design_conversion.h"
#include "design_stepping.h"
#include "edited_designs.h"
#include "encoder.h"
#include "reduction_menu.h"

namespace {

// Room for the reductions that need more than the tile; one conversion at a time.
ConversionWorkspace conversion_workspace;

uint32_t read_pixel_from_dc(void* dc, int x, int y) {
    return GetPixel(static_cast<HDC>(dc), x, y);
}

}  // namespace

ConversionPlan current_conversion_plan() {
    return plan_conversion(app.shell, capture_present(), file_image_size());
}

bool read_design_tile(const ConversionPlan& plan, DesignPosition position,
                      Rgb* tile) {
    switch (plan.source) {
        case TileSource::none:
            return false;
        case TileSource::file_image: {
            // Rows of exactly 3 * width bytes: the width is a multiple of 32.
            const PictureSize file_image = file_image_size();
            read_tile_from_dib_rows(static_cast<const uint8_t*>(app.file_image_description.bmBits),
                                    file_image.width, file_image.height, position.column,
                                    position.row, tile);
            return true;
        }
        case TileSource::capture_bitmap:
            read_tile_from_pixel_reader(read_pixel_from_dc, app.capture_dc, app.capture_width,
                                        app.capture_height, position.column, position.row, tile);
            return true;
    }
    return false;
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
