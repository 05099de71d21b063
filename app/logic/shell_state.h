// The part of the application state that the window program's decisions read
// and write. The platform objects (windows, bitmaps) live beside it in app_state.h.
#pragma once

#include "design_conversion.h"
#include "design_count.h"

enum class DisplayMode {
    placeholder = 0,     // the placeholder text, no symbol
    design_file = 1,     // the symbol of a design file and its heading
    current_design = 2,  // the symbol of the current design, its heading and the counter
    found_design = 3,    // the symbol of a design a scan found, its heading and the counter
};

// The current design. Whenever the grid changes both indices become 0, so
// 0 <= column < columns and 0 <= row < rows hold at every paint and conversion.
struct DesignPosition {
    int column;
    int row;
};

// The designs the last scan found: how many, and which one is on show, from 0.
// While display mode 3 is on, count > 0 and 0 <= shown < count.
struct FoundPosition {
    int shown;
    int count;
};

struct ShellState {
    DesignGrid grid{1, 1};
    DesignPosition position{0, 0};
    DisplayMode display_mode = DisplayMode::placeholder;
    bool median_cut = false;  // set by command 103, cleared by command 102
    // The reduction picked in the menu: runs whenever the median-cut flag is clear.
    ReductionKind chosen_reduction = ReductionKind::merge;
    // Item 115: the dither runs across the whole grid at once (chosen_reduction is
    // then dither). What was in force before it was picked, for a cancel to go back to.
    bool across_designs = false;
    bool median_cut_before_across = false;
    ReductionKind reduction_before_across = ReductionKind::merge;
    FoundPosition found{0, 0};
    // Edits are held for the designs on show (design_edits.h); every command
    // that replaces what is shown lets them go.
    bool edits_held = false;
};

// Sets a new grid and makes its first design the current one.
inline void set_design_grid(ShellState& state, DesignGrid grid) {
    state.grid = grid;
    state.position = DesignPosition{0, 0};
}
