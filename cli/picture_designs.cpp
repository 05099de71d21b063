#include "picture_designs.h"

#include <algorithm>
#include <thread>

#include "cli_error.h"

namespace {

// The designs' tiles; `designs` must outlive the reader.
TileReader tiles_of(const PictureDesigns& designs) {
    return [&designs](int column, int row, Rgb* tile) {
        read_picture_tile(designs.picture, column, row, tile);
    };
}

}  // namespace

PictureDesigns cut_into_designs(Picture picture, const std::string& name) {
    if (picture.width % kTileSide != 0 || picture.height % kTileSide != 0) {
        fail_with_file(name, "sides must be multiples of 32, this picture is " +
                                 std::to_string(picture.width) + " x " +
                                 std::to_string(picture.height));
    }
    const DesignGrid grid{picture.width / kTileSide, picture.height / kTileSide};
    return PictureDesigns{std::move(picture), grid};
}

ExportDesigns designs_to_export(const PictureDesigns& designs, const Reduction& reduction) {
    return converted_designs(designs.grid, tiles_of(designs), reduction);
}

std::vector<RecordBytes> dither_designs_across(const PictureDesigns& designs, int strength,
                                               const GridProgress& progress) {
    const int cores = static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
    return dither_across_designs(designs.grid, tiles_of(designs), MuralOptions{strength, cores},
                                 progress);
}
