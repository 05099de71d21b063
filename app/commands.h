// The main window's commands and stepping clicks. Each runs on the message
// loop's thread and ends, unless cancelled or refused, with a repaint.
#pragma once

#include <windows.h>

#include "capture_geometry.h"
#include "file_commands.h"

// Command 100: a design file's first bytes (up to 620) over the design record.
void open_design_file(HWND main_window);

// What command 100 does with the chosen file; false, with nothing changed,
// when the file can't be opened or read.
// With `ask_first`, asks once the file is read whether unsaved edits may go.
bool open_design_file_at(HWND main_window, const wchar_t* path, bool ask_first);

// Command 101: a 400 x 240 screenshot decoded into "output.dat" in the current directory.
void decode_screenshot(HWND main_window);

// Commands 102 and 103: an image whose sides are multiples of 32, then its first design.
void qr_from_image(HWND main_window, ImageCommand command);

// What commands 102 and 103 do with the chosen file, its refusals for size
// included. False, with nothing changed and nothing shown, when the file can't
// be read or the picture reader refuses it as damaged.
// With `ask_first`, asks once the picture is loaded whether unsaved edits may go.
bool open_image_file(HWND main_window, const wchar_t* path, ImageCommand command, bool ask_first);

// An accepted image (a DIB section whose sides are multiples of 32), read from
// the file at `path`, becomes the file image and its grid as `command` says;
// its first design is shown.
void show_first_design_of(HWND main_window, HBITMAP image, const BITMAP& description,
                          ImageCommand command, const wchar_t* path);

// Command 110: a picture of any size, cropped and resampled to a grid chosen in a dialog.
void open_fitted_picture(HWND main_window);

// Commands 111 to 114: the reduction picked in the menu; converts the shown
// design again when it came from a picture.
void pick_reduction(HWND main_window, ReductionKind reduction);

// Command 115: the dither across the whole grid; computes the grid's records
// when the shown design came from a picture.
void pick_across_designs(HWND main_window);

// Puts the check mark of the reduction items of `menu` where the state says.
void check_reduction_item(HMENU menu);

enum class StepDirection { forward, backward };

// Left (forward) and right (backward) clicks in the client area.
void step_design(HWND main_window, StepDirection direction);

// Home and End: the first or the last design of the grid, where clicks step.
void go_to_end_design(HWND main_window, bool last);

// Command 120: the shown symbol as a PNG, as brevane-cli's "qr" writes it.
void save_qr_picture(HWND main_window);

// Command 121: the shown 620-byte record as a design file.
void save_design_file(HWND main_window);

// Command 123: the same picture as command 120 on the clipboard, as a DIB.
void copy_qr_picture(HWND main_window);

// Command 122: every design of the grid, with the current reduction, into a
// chosen folder, as brevane-cli's "export" writes them.
void export_all_designs(HWND main_window);

// The designs the window steps through, with their edits: every design of the
// grid with the reduction in use, or the designs a scan found; and the title
// an export gives them. False when there is nothing to read them from, or the
// dither across designs was cancelled.
struct ExportDesigns;
bool designs_on_show(HWND main_window, ExportDesigns* designs, const wchar_t** title);

// Command 130: a picture file chosen in the dialog, scanned for QR codes.
void scan_picture_file(HWND main_window);

// Command 131: the main window steps aside and the frozen screen comes up on
// the capture overlay, for a region to be marked and scanned.
void scan_screen(HWND main_window);

// The overlay of command 131 has been released (overlay_state.h): the region
// is read from the frozen screen, the main window comes back and the region
// is scanned.
void finish_screen_scan(HWND main_window, bool has_region, CaptureRegion region);

// Escape on the overlay of command 131: the main window comes back and nothing changes.
void cancel_screen_scan(HWND main_window);

// Command 132: the clipboard's picture (CF_DIB or CF_DIBV5), scanned as 130 scans a file.
void scan_clipboard(HWND main_window);

// The found design that the state points at becomes the record on show.
void show_found_design(HWND main_window);

// Item 140: the design on show in the dialog "デザインを編集"; its OK keeps the
// edited record as the design's edit.
void edit_shown_design(HWND main_window);

// Item 141: one name (where "{n}" becomes each design's number) and one author
// for every design of the grid or of the designs found, as edits.
void name_all_designs(HWND main_window);

// Enables the items 120 to 123, 140 and 141 of `menu` as the state allows.
void enable_keeping_items(HMENU menu);

// Remembers the last path component of `path` in `name`.
void remember_file_name(const wchar_t* path, wchar_t (&name)[MAX_PATH]);
