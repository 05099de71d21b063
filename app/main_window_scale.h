// The main window at its display's DPI: the one layout that the paint and the
// window's size read, and the font of its texts there.
#pragma once

#include <windows.h>

#include "window_layout.h"

const WindowLayout& main_window_layout();

// The texts' font: nullptr at 96 DPI, where the device context's default font
// serves as it always has.
HFONT main_window_text_font();

// Lays the window out for `dpi` and makes its font; the caller sizes the window.
void lay_out_main_window(int dpi);

void release_main_window_font();
