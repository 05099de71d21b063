// Whether the main window may act on input that does not come through its own
// clicks: dropped files and keyboard accelerators.
#pragma once

#include <windows.h>

// False while the capture overlay is up, while a dialog or a message box owned
// by the main window is open (each disables its owner), and during an export,
// which disables the main window itself.
inline bool main_window_is_free(HWND main_window, HWND capture_overlay) {
    return IsWindowEnabled(main_window) &&
           (capture_overlay == nullptr || !IsWindowVisible(capture_overlay));
}
