// Driving the screen capture as a user would: the design-count dialog, the
// overlay, the real pointer and the Shift key; reading the design shown.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <string>

#include "expected_symbols.h"
#include "running_program.h"

// Posts command 104 and waits for the design-count dialog; nullptr if it never shows.
HWND open_design_count_dialog(RunningProgram& program);

// The value (1..40) selected in combo box `box_id`; 0 when none is.
int selected_side(HWND dialog, int box_id);

// Selects the values as the user would: the selection, then CBN_SELCHANGE.
void choose_grid(HWND dialog, int columns, int rows);

// Clicks button `id` of the dialog (posted, since it may open a message box).
void click_dialog_button(HWND dialog, int id);

// Waits until the dialog has closed.
bool dialog_closed(HWND dialog);

// Waits for the capture overlay to be shown and to have painted the frozen
// screen; nullptr if it never is.
HWND wait_for_overlay(RunningProgram& program);

// Waits until the overlay has gone and the main window is back and idle.
bool main_window_back(RunningProgram& program, HWND overlay);

// Real input through the X server (xdotool), each waited for until Wine has
// seen it. The pointer goes to screen position (x, y); the window under it
// gets a mouse move. Buttons and keys act at the pointer's position.
bool move_pointer(int x, int y);
// xdotool with `arguments`, waited for until Wine sees `virtual_key` down (or up).
bool input_keys(const std::wstring& arguments, int virtual_key, bool down);
bool press_left_button();
bool release_left_button();
bool press_shift();
bool release_shift();

// Lets go of the left button and Shift if a failed scenario left them down.
void release_button_and_shift();

// Keeps Shift down for its lifetime, so that a failed check can't leave it down.
class ShiftHeld {
  public:
    ShiftHeld() { press_shift(); }
    ~ShiftHeld() { release_shift(); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;
};

// The record in the symbol the window shows, read back by the decoder.
testing::AssertionResult shown_record(const ClientPixels& pixels, Record* record);

// Palette code of each of the 32 x 32 pixels of a record, row-major.
using DesignCodes = std::array<uint8_t, kTilePixels>;
DesignCodes codes_of(const Record& record);

// The 0x00RRGGBB colour written as 6 hex digits.
std::string hex_colour(uint32_t colour);
