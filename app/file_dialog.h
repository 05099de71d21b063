// The common open-file dialog.
#pragma once

#include <windows.h>

// Asks for an existing file. The filter holds one label and one pattern, each
// ending in a NUL. Returns false when the user cancels or the dialog fails.
// Like Windows' default, a chosen file makes its folder the current directory.
bool choose_existing_file(HWND owner, const wchar_t* title, const wchar_t* filter,
                          const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]);
