// Message boxes of the commands: one OK button, no icon.
#pragma once

#include <windows.h>

void show_message(HWND owner, const wchar_t* text, const wchar_t* caption);

// The one message of a file the window could not write:
// "ファイルを書き込めませんでした: <path>" with the caption "エラー".
void show_write_failure(HWND owner, const wchar_t* path);
