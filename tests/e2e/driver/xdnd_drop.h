// Real drops on the program's window: a native X client (tools/xdnd_drop.py,
// named by the environment variable BREVANE_XDND_DROP) drags files over XDND
// and Wine's X11 driver hands them to the window as WM_DROPFILES.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class DropOutcome {
    finished,  // the window took the drop and said so
    refused,   // the window declined it; the client left
    failed,    // the client could not be started, found no window or timed out
};

// A client point inside the window's symbol, where the tests drop files.
inline constexpr POINT kDropPoint{300, 300};

// Drops the files (Windows paths on drive Z:) on the client point of `window`.
DropOutcome drop_files_on(HWND window, POINT client_point, const std::vector<std::wstring>& paths);
