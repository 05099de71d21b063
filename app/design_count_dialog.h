// The design-count dialog "NUMDESIGN": columns and rows of the capture's grid.
#pragma once

#include <windows.h>

// Runs the modal dialog owned by `owner`. It opens at 1 x 1 whatever the grid;
// OK with more than 40 designs is refused with a message while the dialog
// stays; an accepted OK sets the grid and its first design. Returns false
// only when the user cancelled: a dialog that could not open counts as OK
// with the grid as it stands.
bool run_design_count_dialog(HINSTANCE instance, HWND owner);
