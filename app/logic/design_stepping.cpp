#include "design_stepping.h"

int design_count(DesignGrid grid) {
    return grid.columns * grid.rows;
}

int design_number(DesignGrid grid, DesignPosition position) {
    return position.row * grid.columns + position.column + 1;
}

bool clicks_step(const ShellState& state) {
    return state.display_mode == DisplayMode::current_design && design_count(state.grid) > 1;
}

DesignPosition next_design(DesignGrid grid, DesignPosition position) {
    const int column = (position.column + 1) % grid.columns;
    const int row = column == 0 ? (position.row + 1) % grid.rows : position.row;
    return DesignPosition{column, row};
}

DesignPosition previous_design(DesignGrid grid, DesignPosition position) {
    const int column = (position.column + grid.columns - 1) % grid.columns;
    const int row =
        column == grid.columns - 1 ? (position.row + grid.rows - 1) % grid.rows : position.row;
    return DesignPosition{column, row};
}

DesignPosition first_design() {
    return DesignPosition{0, 0};
}

DesignPosition last_design(DesignGrid grid) {
    return DesignPosition{grid.columns - 1, grid.rows - 1};
}
