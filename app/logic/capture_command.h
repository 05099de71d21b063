// What the screen capture (command 104) leaves in the state: the grid chosen in
// the design-count dialog, the conversion of the selection, a failed capture.
#pragma once

#include "shell_state.h"

// The dialog's combo boxes hold "1" to "40": item i stands for the value i + 1.
int design_count_item_value(int item);

// OK in the design-count dialog with the items selected in its two combo boxes.
// An allowed grid (design_count.h) becomes the grid with its first design
// current; otherwise the state is untouched and false is returned.
bool accept_design_count(ShellState& state, int column_item, int row_item);

// Just before the selection is converted: the capture is the picture to read,
// with the merge quantiser, even after command 103 left the median cut on.
void prepare_capture_conversion(ShellState& state);

// The screen or the selection could not be copied: the placeholder again.
void note_capture_failed(ShellState& state);
