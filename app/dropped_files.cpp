#include "dropped_files.h"

#include <string>

#include "app_state.h"
#include "commands.h"
#include "message_box.h"
#include "message_texts.h"
#include "opened_file_kind.h"
#include "window_availability.h"

namespace {

constexpr UINT kFirstDroppedFile = 0;

// The whole path of a dropped file, however long; empty when there is none.
std::wstring dropped_file_path(HDROP drop, UINT index) {
    const UINT length = DragQueryFileW(drop, index, nullptr, 0);
    if (length == 0) {
        return {};
    }
    std::wstring path(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, index, path.data(), length + 1);
    path.resize(copied == length ? length : 0);
    return path;
}

// The file's first bytes, up to kPictureSignatureBytes; -1 when it can't be read.
int read_file_signature(const wchar_t* path, uint8_t (&head)[kPictureSignatureBytes]) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    DWORD got = 0;
    const bool read = ReadFile(file, head, sizeof head, &got, nullptr) != FALSE;
    CloseHandle(file);
    return read ? static_cast<int>(got) : -1;
}

bool open_file_of_its_kind(HWND main_window, const wchar_t* path) {
    uint8_t head[kPictureSignatureBytes];
    const int count = read_file_signature(path, head);
    if (count < 0) {
        return false;
    }
    switch (kind_of_opened_file(path, head, static_cast<size_t>(count))) {
        case OpenedFileKind::design_file:
            return open_design_file_at(main_window, path, true);
        case OpenedFileKind::picture:
            return open_image_file(main_window, path, ImageCommand::merge, true);
        case OpenedFileKind::unknown:
            break;
    }
    return false;
}

}  // namespace

void on_drop_files(HWND main_window, HDROP drop) {
    if (!main_window_is_free(main_window, app.capture_overlay)) {
        DragFinish(drop);
        return;
    }
    const std::wstring path = dropped_file_path(drop, kFirstDroppedFile);
    // Released before the file opens: opening may show a message box.
    DragFinish(drop);
    open_dropped_file(main_window, path.c_str());
}

void open_dropped_file(HWND main_window, const wchar_t* path) {
    if (path[0] == L'\0' || !open_file_of_its_kind(main_window, path)) {
        show_message(main_window, kCannotOpenFileMessage, kPlainErrorCaption);
    }
}

void open_command_line_file(HWND main_window) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return;
    }
    if (count > 1) {
        open_dropped_file(main_window, arguments[1]);
    }
    LocalFree(arguments);
}
