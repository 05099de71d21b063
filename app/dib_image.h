// Pictures as the window draws them: 24-bit bottom-up DIB sections, and picture
// files read into them by the one way from a file to a picture (whole_files.h).
#pragma once

#include <windows.h>

#include "picture.h"
#include "whole_files.h"

// A new 24-bit bottom-up DIB section holding the picture's pixels, blue-green-red,
// rows padded to 4 bytes, with its description, whose bmBits points at the rows;
// nullptr, with nothing left allocated, when it can't be made.
HBITMAP dib24_of_picture(const Picture& picture, BITMAP* description);

// Bytes in a row of a 24-bit DIB `width` pixels wide: padded to 4.
size_t dib24_stride(int width);

// The picture's pixels as 24-bit blue-green-red rows, bottom-up, each padded
// to dib24_stride: `rows` holds dib24_stride(width) * height bytes.
void copy_picture_to_dib24_rows(const Picture& picture, uint8_t* rows);

// read_picture_file, then dib24_of_picture into *section.
PictureLoad load_picture_as_dib24(const wchar_t* path, HBITMAP* section, BITMAP* description);

// The description of 24-bit blue-green-red rows stored bottom-up, for a DIB
// section or for drawing such rows.
BITMAPINFO bottom_up_dib24_header(LONG width, LONG height);
