#include "file_dialog.h"

#include <commdlg.h>

namespace {

void enter_folder_of(const wchar_t* path) {
    wchar_t folder[MAX_PATH];
    wchar_t* file_part = nullptr;
    const DWORD length = GetFullPathNameW(path, MAX_PATH, folder, &file_part);
    if (length == 0 || length >= MAX_PATH || file_part == nullptr) {
        return;
    }
    *file_part = L'\0';
    SetCurrentDirectoryW(folder);
}

}  // namespace

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
    if (!GetOpenFileNameW(&request)) {
        return false;
    }
    enter_folder_of(path);
    return true;
}
