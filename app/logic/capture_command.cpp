#include "capture_command.h"

#include "design_count.h"

int design_count_item_value(int item) {
    return item + 1;
}

int design_count_item_of_value(int value) {
    return value - 1;
}

bool grid_of_design_count_items(int column_item, int row_item, DesignGrid* grid) {
    const DesignGrid chosen{design_count_item_value(column_item),
                            design_count_item_value(row_item)};
    if (!design_count_allowed(chosen.columns, chosen.rows)) {
        return false;
    }
    *grid = chosen;
    return true;
}

void accept_design_count(ShellState& state, DesignGrid grid) {
    set_design_grid(state, grid);
    state.edits_held = false;
}

void prepare_capture_conversion(ShellState& state) {
    state.median_cut = false;
}

void note_capture_failed(ShellState& state) {
    state.display_mode = DisplayMode::placeholder;
    state.edits_held = false;
}
