#include "image_command.h"

#include "tile.h"

bool image_sides_accepted(PictureSize size) {
    return size.width > 0 && size.height > 0 && size.width % kTileSide == 0 &&
           size.height % kTileSide == 0;
}

void accept_image(ShellState& state, PictureSize size, ImageCommand command) {
    set_design_grid(state, DesignGrid{size.width / kTileSide, size.height / kTileSide});
    state.median_cut = command == ImageCommand::median_cut;
    if (command != ImageCommand::median_cut) {
        state.chosen_reduction = ReductionKind::merge;
    }
}

bool image_command_drops_capture(ImageCommand command) {
    return command != ImageCommand::median_cut;
}
