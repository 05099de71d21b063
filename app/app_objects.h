// Releasing the platform objects held in the application state. Each object
// is created in one place and released here, when replaced and at shutdown.
#pragma once

#include <windows.h>

#include "conversion_plan.h"

// Makes `image` (a 24-bit bottom-up DIB section) the file image, releasing the previous one.
void replace_file_image(HBITMAP image, const BITMAP& description);

void release_file_image();

// Releases the capture bitmap and its memory DC and marks the capture absent.
void release_capture();

// Makes `bitmap`, already selected into the memory DC `dc` in place of
// `original_bitmap`, the capture bitmap of width x height, releasing the previous one.
void replace_capture(HDC dc, HGDIOBJ original_bitmap, HBITMAP bitmap, int width, int height);

bool capture_present();

// Changes whenever the file image or the capture is released or replaced, so
// that what was computed from a picture can tell it is still the same one.
unsigned picture_generation();

PictureSize file_image_size();
