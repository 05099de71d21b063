// The application state: process-wide, alive from start-up to exit, touched
// only on the message loop's thread. Nothing here is allocated on the heap
// but the designs a scan found.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "design_edits.h"
#include "design_record.h"
#include "screen_grab.h"
#include "shell_state.h"

struct AppState {
    HINSTANCE instance;
    HWND main_window;
    HWND capture_overlay;
    ShellState shell;
    // The last accepted image, always a 24-bit bottom-up DIB section whose rows
    // are exactly 3 * width bytes; its description points at the pixel bits.
    HBITMAP file_image;
    BITMAP file_image_description;
    // The captured region and the memory DC it is selected into; both or neither.
    HBITMAP capture_bitmap;
    HDC capture_dc;
    HGDIOBJ capture_dc_original_bitmap;
    short capture_width;
    short capture_height;
    uint8_t design_record[kDesignRecordSize];
    // The names the save dialogs and the export propose: the file image's file
    // name (its last path component), and the last design file's.
    wchar_t picture_file_name[MAX_PATH];
    wchar_t design_file_name[MAX_PATH];
    // The designs the last scan found, in reading order (shell.found counts
    // them), and the file name of the picture they were found in, or "画面".
    std::vector<RecordBytes> found_designs;
    wchar_t found_source_name[MAX_PATH];
    // The edits of the designs on show while shell.edits_held (design_edits.h):
    // a record and a mark per design, in the order the window steps through them.
    std::vector<RecordBytes> edited_records;
    std::vector<DesignEditMark> edit_marks;
    // The screen frozen for command 131 while its overlay is up; empty otherwise.
    ScreenGrab scan_grab;
};

extern AppState app;
