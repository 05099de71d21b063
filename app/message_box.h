// Message boxes of the commands: one OK button, no icon.
#pragma once

#include <windows.h>

void show_message(HWND owner, const wchar_t* text, const wchar_t* caption);
