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

bool capture_present();

PictureSize file_image_size();
