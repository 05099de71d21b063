#include "design_tiles.h"

#include <windows.h>

#include "app_objects.h"
#include "app_state.h"

bool read_design_tile(const ConversionPlan& plan, DesignPosition position, Rgb* tile) {
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
            read_tile_from_pixel_reader(
                [](void* dc, int x, int y) -> uint32_t {
                    return GetPixel(static_cast<HDC>(dc), x, y);
                },
                app.capture_dc, app.capture_width, app.capture_height, position.column,
                position.row, tile);
            return true;
    }
    return false;
}

TileReader design_tile_reader(const ConversionPlan& plan) {
    return [plan](int column, int row, Rgb* tile) {
        read_design_tile(plan, DesignPosition{column, row}, tile);
    };
}
