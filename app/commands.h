// The main window's commands and stepping clicks. Each runs on the message
// loop's thread and ends, unless cancelled or refused, with a repaint.
#pragma once

#include <windows.h>

#include "image_command.h"

// Command 100: a design file's first bytes (up to 620) over the design record.
void open_design_file(HWND main_window);

// Command 101: a 400 x 240 screenshot decoded into "output.dat" in the current directory.
void decode_screenshot(HWND main_window);

// Commands 102 and 103: an image whose sides are multiples of 32, then its first design.
void qr_from_image(HWND main_window, ImageCommand command);

enum class StepDirection { forward, backward };

// Left (forward) and right (backward) clicks in the client area.
void step_design(HWND main_window, StepDirection direction);
