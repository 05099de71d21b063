// The common open-file dialog.
#pragma once

#include <windows.h>

// Asks for an existing file. The filter holds one label and one pattern, each
// ending in a NUL. Returns false when the user cancels or the dialog fails.
// A chosen file makes its folder the current directory, as Windows' dialog
// does by default; it is set here as well because not every dialog does it
// for a path typed in whole (Wine's keeps the folder it opened in).
bool choose_existing_file(HWND owner, const wchar_t* title, const wchar_t* filter,
                          const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]);

// Asks where to save, proposing `path` (a name, or empty) and the filter's
// extension; an existing file is replaced only once the user agrees. Returns
// false when the user cancels or the dialog fails.
bool choose_file_to_save(HWND owner, const wchar_t* title, const wchar_t* filter,
                         const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]);

// Asks for a folder with the system's folder picker. Returns false when the
// user cancels or the picker fails.
bool choose_folder(HWND owner, const wchar_t* title, wchar_t (&path)[MAX_PATH]);
