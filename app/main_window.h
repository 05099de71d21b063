// The main window: class, procedure and one handler per message.
#pragma once

#include <windows.h>

// Registers the main window class; false when registration fails.
bool register_main_window_class(HINSTANCE instance);

// Creates the main window, 400 x 360 at 96 DPI and scaled at its display's DPI,
// with the class's menu; nullptr on failure.
HWND create_main_window(HINSTANCE instance);

void on_paint(HWND window);
// Returns false for identifiers that are not the window's commands.
bool on_command(HWND window, int command);
void on_left_button_down(HWND window);
void on_right_button_down(HWND window);
void on_destroy();
