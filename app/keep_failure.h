// The one message of a file the window could not write.
#pragma once

#include <windows.h>

// "ファイルを書き込めませんでした: <path>" with the caption "エラー".
void show_write_failure(HWND owner, const wchar_t* path);
