// The reduction items of the menu (111 to 115): which one is checked, and
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

// Item 115, "ディザ (つなぎ目なし)": as choose_reduction with the dither, which then
// runs across the whole grid. Remembers what was in force, for a cancel.
bool choose_across_designs(ShellState& state);

// Whether the grid's records come from the dither across designs.
bool across_designs_in_force(const ShellState& state);

// A cancelled dither across designs: the reduction in force before item 115
// was picked is in force again.
void cancel_across_designs(ShellState& state);
