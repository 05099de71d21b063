#include <cstring>

#include "app_state.h"
#include "commands.h"
#include "design_edits.h"
#include "edited_designs.h"
#include "file_commands.h"
#include "encoder.h"
#include "file_dialog.h"
#include "message_texts.h"
#include "resource_ids.h"

namespace {

// The bytes of the file that go into the record (design_file_bytes_taken), read
// from a file opened for reading, shared with no one; -1 when it can't be opened or read.
int read_design_file(const wchar_t* path, uint8_t (&head)[kDesignRecordSize]) {
    HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    LARGE_INTEGER size{};
    int count = -1;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0) {
        count = design_file_bytes_taken(static_cast<uint64_t>(size.QuadPart));
        for (int done = 0; done < count;) {
            DWORD got = 0;
            if (!ReadFile(file, head + done, static_cast<DWORD>(count - done), &got, nullptr) ||
                got == 0) {
                count = -1;
                break;
            }
            done += static_cast<int>(got);
        }
    }
    CloseHandle(file);
    return count;
}

}  // namespace

void open_design_file(HWND main_window) {
    if (!may_drop_edits(main_window, IDM_OPEN_DESIGN_FILE)) {
        return;
    }
    wchar_t path[MAX_PATH];
    if (!choose_existing_file(main_window, kDesignFileDialogTitle, kDesignFileFilter,
                              kDesignFileDefaultExtension, path)) {
        return;
    }
    open_design_file_at(main_window, path, false);
}

bool open_design_file_at(HWND main_window, const wchar_t* path, bool ask_first) {
    uint8_t head[kDesignRecordSize];
    const int count = read_design_file(path, head);
    if (count < 0) {
        return false;
    }
    if (ask_first && !may_drop_edits(main_window, kDroppedFileCommand)) {
        return true;
    }
    std::memcpy(app.design_record, head, static_cast<size_t>(count));
    accept_design_file(app.shell);
    remember_file_name(path, app.design_file_name);
    encode_qr(app.design_record);
    InvalidateRect(main_window, nullptr, TRUE);
    return true;
}
