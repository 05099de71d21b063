// Keeping what the window shows: which of the items 120 to 123 apply, and the
// file names the save dialogs propose.
#pragma once

#include "shell_state.h"

// Saving and copying the QR code, and saving the design: a symbol is on show.
bool symbol_on_show(const ShellState& state);

// Exporting every design: the symbol shown is one design of a grid.
bool grid_on_show(const ShellState& state);

// "すべて書き出し..." applies: one design of a grid, or of the designs a scan found, is on show.
bool designs_to_export_on_show(const ShellState& state);

// The number of the shown design, from 1: in the grid, row-major, or among the designs found.
int shown_design_number(const ShellState& state);

// The name proposed for the shown symbol, without its extension: "cat-003" for
// design 3 of the picture (or capture, or scanned picture) named `source_stem`,
// and the design file's own stem in display mode 1. Cut short to fit
// `capacity` characters.
void propose_file_stem(const ShellState& state, const wchar_t* source_stem,
                       const wchar_t* design_file_stem, wchar_t* stem, int capacity);

// The path's last component: "C:\\pics\\cat.png" -> "cat.png".
const wchar_t* last_path_component(const wchar_t* path);

// The stem of a path's last component: "C:\\pics\\cat.png" -> "cat".
void file_stem_of_path(const wchar_t* path, wchar_t* stem, int capacity);
