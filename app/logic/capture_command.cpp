#include "capture_command.h"

#include "design_count.h"

int design_count_item_value(int item) {
    return item + 1;
}

bool accept_design_count(ShellState& state, int column_item, int row_item) {
    const DesignGrid grid{design_count_item_value(column_item), design_count_item_value(row_item)};
    if (!design_count_allowed(grid.columns, grid.rows)) {
        return false;
    }
    set_design_grid(state, grid);
    return true;
}

void prepare_capture_conversion(ShellState& state) {
    state.median_cut = false;
}

void note_capture_failed(ShellState& state) {
    state.display_mode = DisplayMode::placeholder;
}
