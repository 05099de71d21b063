// Files handed to the program from outside: dropped on the main window, or
// named as the first argument of its command line ("Open with", a drop on the
// program's icon).
#pragma once

#include <windows.h>

// WM_DROPFILES. The first file opens as open_dropped_file says; while the main
// window is not free (window_availability.h) the drop is released and ignored.
void on_drop_files(HWND main_window, HDROP drop);

// A ".dat" file opens as command 100 opens a chosen one, a picture (told by its
// first bytes) as command 102 does; anything else, a file that can't be read
// and a picture refused as damaged get the cannot-open message, and nothing
// else changes.
void open_dropped_file(HWND main_window, const wchar_t* path);

// The first command-line argument, if there is one, opened as a dropped file.
void open_command_line_file(HWND main_window);
