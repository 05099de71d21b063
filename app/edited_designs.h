// The edited records of the designs on show, kept in the application state
// until a command replaces what is shown, and the questions asked before
// unsaved edits are dropped.
#pragma once

#include <windows.h>

#include "design_record.h"

// The edited record of design `index` on show, or nullptr when it has none.
const RecordBytes* edited_record_of(int index);

// Keeps `record` as the edit of design `index` on show (unsaved); when it is
// the design on show it becomes the record shown, and the window repaints.
void keep_edited_record(HWND main_window, int index, const RecordBytes& record);

bool unsaved_edits();

// The design on show was saved, or every design was exported.
void mark_shown_design_saved();
void mark_all_designs_saved();

// Asks before `command` (design_edits.h) may drop unsaved edits: true when it
// may run, because nothing is to be lost or the user answered はい.
bool may_drop_edits(HWND main_window, int command);

// Closing the main window with unsaved edits asks first; false keeps it open.
bool may_close_with_edits(HWND main_window);
