// The reduction items of the menu (111 to 114): which one is checked, and
// what picking one does to the state.
#pragma once

#include "shell_state.h"

// The reduction of a menu item; false for any other identifier.
bool reduction_of_menu_item(int item, ReductionKind* reduction);

int menu_item_of_reduction(ReductionKind reduction);

// Picking an item clears the median-cut flag and makes its reduction the
// chosen one. True when the shown design is to be converted again (display
// mode 2); the grid and the current design stay.
bool choose_reduction(ShellState& state, ReductionKind reduction);

// "メディアンカット" while the median-cut flag is set, otherwise the chosen reduction.
int checked_reduction_item(const ShellState& state);
