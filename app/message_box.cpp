#include "message_box.h"

#include <string>

#include "message_texts.h"

void show_message(HWND owner, const wchar_t* text, const wchar_t* caption) {
    MessageBoxW(owner, text, caption, MB_OK);
}

void show_write_failure(HWND owner, const wchar_t* path) {
    // The path goes where the text's "%s" stands, whatever printf's idea of %s.
    const std::wstring format = kWriteFailedFormat;
    std::wstring text = format;
    const size_t hole = format.find(L"%s");
    if (hole != std::wstring::npos) {
        text = format.substr(0, hole) + path + format.substr(hole + 2);
    }
    show_message(owner, text.c_str(), kPlainErrorCaption);
}
