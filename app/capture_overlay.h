// The capture overlay: a popup over the whole primary screen, hidden except
// while the user marks a region on the frozen screen that it shows.
#pragma once

#include <windows.h>

// Registers the class "WHOLE" and creates the overlay at (0, 0) with the
// screen's size, hidden. nullptr when it can't be made.
HWND create_capture_overlay(HINSTANCE instance);

// Arms the overlay for a new selection and shows it, activated, over the
// frozen screen held in the capture bitmap. The rest happens in its handlers:
// the left button's release copies the region, hides the overlay, brings the
// main window back and converts the first design.
void show_capture_overlay(HWND overlay);

// The same for command 131 over the screen frozen in app.scan_grab: a plain
// band, and Escape puts the overlay away. The release reads the region and
// scans it (finish_screen_scan).
void show_scan_overlay(HWND overlay);
