// How commands 110 and 130 begin: once unsaved edits may go (asked for menu item
// `item`), a picture file chosen in the dialog titled `title` is read whole into
// *picture, its path into `path`. False when declined, cancelled or refused: a
// picture over the bound is said to be too large, and one that can't be read or
// is damaged gets `unreadable_message` when there is one.
#pragma once

#include <windows.h>

#include "picture.h"

bool read_chosen_picture(HWND main_window, int item, const wchar_t* title,
                         const wchar_t* unreadable_message, wchar_t (&path)[MAX_PATH],
                         Picture* picture);
