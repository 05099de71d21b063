#include "file_dialog.h"

#include <commdlg.h>
#include <shobjidl.h>

#include <cwchar>

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

OPENFILENAMEW file_request(HWND owner, const wchar_t* title, const wchar_t* filter,
                           const wchar_t* default_extension, wchar_t (&path)[MAX_PATH],
                           DWORD flags) {
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter;
    request.lpstrFile = path;
    request.nMaxFile = MAX_PATH;
    request.lpstrTitle = title;
    request.lpstrDefExt = default_extension;
    request.Flags = flags;
    return request;
}

}  // namespace

bool choose_existing_file(HWND owner, const wchar_t* title, const wchar_t* filter,
                          const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]) {
    path[0] = L'\0';
    OPENFILENAMEW request =
        file_request(owner, title, filter, default_extension, path, OFN_FILEMUSTEXIST);
    if (!GetOpenFileNameW(&request)) {
        return false;
    }
    enter_folder_of(path);
    return true;
}

bool choose_file_to_save(HWND owner, const wchar_t* title, const wchar_t* filter,
                         const wchar_t* default_extension, wchar_t (&path)[MAX_PATH]) {
    OPENFILENAMEW request = file_request(owner, title, filter, default_extension, path,
                                         OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR);
    return GetSaveFileNameW(&request) != 0;
}

namespace {

// Releases a COM interface when it goes out of scope.
template <typename Interface>
struct ComReference {
    Interface* pointer = nullptr;
    ~ComReference() {
        if (pointer != nullptr) {
            pointer->Release();
        }
    }
};

}  // namespace

bool choose_folder(HWND owner, const wchar_t* title, wchar_t (&path)[MAX_PATH]) {
    ComReference<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog.pointer)))) {
        return false;
    }
    FILEOPENDIALOGOPTIONS options = 0;
    dialog.pointer->GetOptions(&options);
    dialog.pointer->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog.pointer->SetTitle(title);
    if (FAILED(dialog.pointer->Show(owner))) {
        return false;  // cancelled, or the picker could not open
    }
    ComReference<IShellItem> item;
    if (FAILED(dialog.pointer->GetResult(&item.pointer))) {
        return false;
    }
    wchar_t* name = nullptr;
    if (FAILED(item.pointer->GetDisplayName(SIGDN_FILESYSPATH, &name))) {
        return false;
    }
    const bool fits = std::wcslen(name) < MAX_PATH;
    if (fits) {
        std::wcscpy(path, name);
    }
    CoTaskMemFree(name);
    return fits;
}
