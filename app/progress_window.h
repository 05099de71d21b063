// A long piece of work on the one thread, shown in a small progress window over
// the main window: a caption, a line of text with the count, a bar and キャンセル.
// While it runs the main window is disabled, and messages are handled between
// steps, so every window keeps painting and the cancel button can be pressed.
#pragma once

#include <windows.h>

struct ProgressRun {
    HWND owner = nullptr;
    HWND window = nullptr;  // null when the window could not be made: the work runs unshown
    const wchar_t* count_format = nullptr;  // one %d for the done, one for the total
    bool cancelled = false;
};

// Disables `owner` and shows the window with `caption` and the count at 0 of `total`.
void begin_progress(HWND owner, const wchar_t* caption, const wchar_t* count_format, int total,
                    ProgressRun* run);

// Shows the count and handles every waiting message; false once the user has
// cancelled (or the program is quitting: the quit message is put back).
bool continue_progress(ProgressRun& run, int done, int total);

// Closes the window and gives the owner back its input and focus.
void end_progress(ProgressRun& run);
