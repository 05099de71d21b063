#include "file_dialog.h"

#include <commdlg.h>

bool choose_existing_file(HWND owner, const wchar_t* title, const wchar_t* filter,
                          const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]) {
    path[0] = L'\0';
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title;
    request.lpstrDefExt = default_extension;
    request.Flags = OFN_FILEMUSTEXIST;
    return GetOpenFileNameW(&request) != FALSE;
}
