#include "picture_designs.h"

#include "cli_error.h"

DesignGrid make_design_grid(const Picture& picture, const std::string& name) {
    if (picture.width % kTileSide != 0 || picture.height % kTileSide != 0) {
        fail_with_file(name, "sides must be multiples of 32, this picture is " +
                                 std::to_string(picture.width) + " x " +
                                 std::to_string(picture.height));
    }
    return DesignGrid{picture.width / kTileSide, picture.height / kTileSide, picture.width,
                      picture.height, bottom_up_bgr_rows(picture)};
}

ExportPicture export_picture(const DesignGrid& grid) {
    return ExportPicture{grid.width, grid.height, grid.bottom_up_bgr.data()};
}

RecordBytes convert_design(const DesignGrid& grid, int column, int row, const Reduction& reduction,
                           ConversionWorkspace* workspace) {
    return convert_picture_design(export_picture(grid), column, row, reduction, workspace);
}

RecordBytes convert_design(const DesignGrid& grid, int column, int row, Quantizer quantizer) {
    Rgb tile[kTilePixels];
    read_tile_from_dib_rows(grid.bottom_up_bgr.data(), grid.width, grid.height, column, row, tile);
    RecordBytes record;
    convert_tile_to_record(tile, quantizer, record.data());
    return record;
}
