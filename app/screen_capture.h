// Command 104: the design-count dialog, then the whole screen frozen in the
// capture bitmap and shown on the capture overlay for the user to mark a region.
#pragma once

#include <windows.h>

void capture_screen(HWND main_window);

// The screen or the selection could not be copied: the main window comes back
// with the placeholder and says so; nothing is converted.
void report_capture_failure(HWND main_window);
