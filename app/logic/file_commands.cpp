#include "file_commands.h"

#include "design_record.h"
#include "tile.h"

int design_file_bytes_taken(uint64_t file_size) {
    return file_size < kDesignRecordSize ? static_cast<int>(file_size) : kDesignRecordSize;
}

void accept_design_file(ShellState& state) {
    state.display_mode = DisplayMode::design_file;
    state.edits_held = false;
}

bool screenshot_size_accepted(PictureSize size) {
    return size.width == kScreenshotSize.width && size.height == kScreenshotSize.height;
}

void accept_screenshot(ShellState& state) {
    state.display_mode = DisplayMode::placeholder;
    state.edits_held = false;
}

bool image_sides_accepted(PictureSize size) {
    return size.width > 0 && size.height > 0 && size.width % kTileSide == 0 &&
           size.height % kTileSide == 0;
}

void accept_image(ShellState& state, PictureSize size, ImageCommand command) {
    set_design_grid(state, DesignGrid{size.width / kTileSide, size.height / kTileSide});
    state.edits_held = false;
    state.median_cut = command == ImageCommand::median_cut;
    if (command != ImageCommand::median_cut) {
        state.chosen_reduction = ReductionKind::merge;
    }
}

bool image_command_drops_capture(ImageCommand command) {
    return command != ImageCommand::median_cut;
}
