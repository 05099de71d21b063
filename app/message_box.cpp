#include "message_box.h"

void show_message(HWND owner, const wchar_t* text, const wchar_t* caption) {
    MessageBoxW(owner, text, caption, MB_OK);
}
