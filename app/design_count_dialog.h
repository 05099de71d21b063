// The design-count dialog "NUMDESIGN": columns and rows of a grid, for the
// capture and for a picture fitted to a grid.
#pragma once

#include <windows.h>

#include "shell_state.h"

enum class DesignCountAnswer { ok, cancelled, not_shown };

// Runs the modal dialog owned by `owner`, opened with `initial` selected.
// OK with more than 40 designs is refused with a message while the dialog
// stays; an accepted OK sets *chosen. Nothing in the state changes here.
DesignCountAnswer run_design_count_dialog(HINSTANCE instance, HWND owner, DesignGrid initial,
                                          DesignGrid* chosen);
