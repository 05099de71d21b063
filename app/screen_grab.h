// The whole primary screen copied 1:1 into a bitmap held in a memory DC: the
// frozen screen that the capture overlay shows and its region is read from.
#pragma once

#include <windows.h>

#include "capture_geometry.h"
#include "picture.h"

// Time for what lay behind the hidden main window to be drawn again before a grab.
inline constexpr DWORD kRedrawWaitMs = 500;

// The bitmap and the memory DC it is selected into: all of them or none.
struct ScreenGrab {
    HDC dc = nullptr;
    HGDIOBJ original_bitmap = nullptr;
    HBITMAP bitmap = nullptr;
    int width = 0;
    int height = 0;
};

// A new grab of the screen as it is now; false, with nothing held, when the
// bitmap can't be made.
bool grab_screen(ScreenGrab* grab);

// Deletes the bitmap and its DC; the grab holds nothing afterwards.
void release_screen_grab(ScreenGrab* grab);

// The region (upright, inside the grab) as a picture, pixel for pixel; false
// when the memory for it can't be had.
bool read_grab_region(const ScreenGrab& grab, CaptureRegion region, Picture* picture);
