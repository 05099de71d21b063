// What the screen capture (command 104) leaves in the state: the grid chosen in
// the design-count dialog, the conversion of the selection, a failed capture.
#pragma once

#include "shell_state.h"

// The dialog's combo boxes hold "1" to "40": item i stands for the value i + 1.
int design_count_item_value(int item);
int design_count_item_of_value(int value);

// OK in the design-count dialog with the items selected in its two combo boxes:
// true with *grid set when they make an allowed grid (design_count.h).
bool grid_of_design_count_items(int column_item, int row_item, DesignGrid* grid);

// The grid chosen for the capture becomes the grid, with its first design current.
void accept_design_count(ShellState& state, DesignGrid grid);

// Just before the selection is converted: the capture is the picture to read,
// with the merge quantiser, even after command 103 left the median cut on.
void prepare_capture_conversion(ShellState& state);

// The screen or the selection could not be copied: the placeholder again.
void note_capture_failed(ShellState& state);
