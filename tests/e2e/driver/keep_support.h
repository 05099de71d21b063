// Driving the keeping commands as a user would: real keys, the save dialogs,
// the folder picker and the export's progress window; reading what they wrote.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "expected_symbols.h"
#include "running_program.h"

// Presses the keys (xdotool names, space-separated) at the focused window
// through the X server, and waits until the program has taken them in.
bool press_keys(RunningProgram& program, const std::wstring& keys);

// The save dialog titled `title`, waited for; nullptr if none showed.
HWND wait_for_save_dialog(RunningProgram& program, const std::wstring& title);

// Whether a dialog titled `title` opened within a short while; one that did is cancelled.
bool save_dialog_opened(RunningProgram& program, const std::wstring& title);

// The text of the dialog's file name box.
std::wstring file_name_box_text(HWND dialog);

// A PNG of one 8-bit grey channel.
bool is_grey_png(const std::vector<uint8_t>& png);

// The record's symbol at 4 pixels a module inside 4 white modules, nothing else.
testing::AssertionResult is_qr_picture_of(const DibPicture& picture, const Record& record);

// Leaves the picture and its record under `name` for zbar.
void keep_for_zbar(const DibPicture& picture, const Record& record, const std::string& name);

void clear_clipboard();

// The picture on the clipboard as a 24-bit CF_DIB, as another program copies one.
bool put_dib_on_clipboard(const DibPicture& picture);

// The clipboard's DIB once there is one (24-bit), or an empty picture.
DibPicture wait_for_clipboard_dib();

// Command 122 with `folder` chosen in the folder picker; false if the picker never showed.
bool start_export_into(RunningProgram& program, const std::wstring& folder);

// start_export_into, then waits until the export has ended.
bool export_into(RunningProgram& program, const std::wstring& folder);

// Presses "No" in the question box and waits until it has gone.
bool answer_no(const MessageBoxView& box);
// Presses the button (IDYES, IDNO) and waits until the box has gone.
bool answer(const MessageBoxView& box, int button);

// Waits for the progress window and for a few designs to be written, presses
// its cancel button and waits until the export has ended.
bool cancel_export_after_some_designs(RunningProgram& program);

// The number of designs in the folder when they are designs 1 to n, each with
// all three files, and nothing else is there (no page, no temporary file); -1 otherwise.
int whole_designs_only(const std::wstring& folder);
