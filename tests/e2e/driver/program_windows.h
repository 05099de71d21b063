// Finding and reading the windows of the program under test from another process.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Polls `condition` every few milliseconds; false if it never held within `timeout_ms`.
bool wait_until(const std::function<bool()>& condition, int timeout_ms);

std::wstring class_name_of(HWND window);

// Window text through WM_GETTEXT, which works across processes where
// GetWindowText returns "".
std::wstring text_of(HWND window);

// Top-level windows of the process, visible or not, of the class when one is given.
std::vector<HWND> top_level_windows(DWORD process_id, const wchar_t* class_name = nullptr);

std::vector<HWND> descendants(HWND parent);

// Visible dialog (#32770) of the process whose caption is `caption`; nullptr if none.
HWND find_dialog(DWORD process_id, const std::wstring& caption);

// find_dialog, waited for up to `timeout_ms`.
HWND wait_for_dialog(DWORD process_id, const std::wstring& caption, int timeout_ms);

// Fills the file name box of the open-file dialog with `path`, presses Open
// and waits until the dialog has gone.
bool choose_file_in_dialog(HWND dialog, const std::wstring& path);

// What a message box shows.
struct MessageBoxView {
    HWND window;
    std::wstring caption;
    std::wstring text;
    int visible_buttons;
    bool ok_button;  // the one button is IDOK
    bool icon;
    HWND owner;
};

// The open message box of the process (a #32770 with a static text of id 0xFFFF),
// waited for up to `timeout_ms`; window is nullptr if none appeared.
MessageBoxView wait_for_message_box(DWORD process_id, int timeout_ms);

// Presses OK and waits until the box has gone.
bool dismiss_message_box(const MessageBoxView& box);
