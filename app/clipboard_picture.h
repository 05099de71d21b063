// The picture on the clipboard, as a browser or a chat program copies it: a
// packed DIB (CF_DIBV5, else CF_DIB), read by the one picture reader.
#pragma once

#include <windows.h>

#include "picture.h"
#include "whole_files.h"

// The clipboard's picture into *picture, red-green-blue, top row first.
// unreadable: the clipboard can't be opened, holds no DIB, or one the reader
// refuses; too_large: refused for its size alone.
PictureLoad read_clipboard_picture(HWND owner, Picture* picture);
