#include <cstring>

#include "app_state.h"
#include "commands.h"
#include "file_commands.h"
#include "encoder.h"
#include "file_access.h"
#include "file_dialog.h"
#include "message_texts.h"

namespace {

// The bytes of the file that go into the record (design_file_bytes_taken);
// -1 when it can't be opened or read.
int read_design_file(const wchar_t* path, uint8_t (&head)[kDesignRecordSize]) {
    HANDLE file = open_existing_file(path);
    if (file == INVALID_HANDLE_VALUE) {
        return -1;
    }
    uint64_t size = 0;
    int count = -1;
    if (read_file_size(file, &size)) {
        count = design_file_bytes_taken(size);
        if (!read_exactly(file, head, count)) {
            count = -1;
        }
    }
    CloseHandle(file);
    return count;
}

}  // namespace

void open_design_file(HWND main_window) {
    wchar_t path[MAX_PATH];
    if (!choose_existing_file(main_window, kDesignFileDialogTitle, kDesignFileFilter,
                              kDesignFileDefaultExtension, path)) {
        return;
    }
    open_design_file_at(main_window, path);
}

bool open_design_file_at(HWND main_window, const wchar_t* path) {
    uint8_t head[kDesignRecordSize];
    const int count = read_design_file(path, head);
    if (count < 0) {
        return false;
    }
    std::memcpy(app.design_record, head, static_cast<size_t>(count));
    accept_design_file(app.shell);
    remember_file_name(path, app.design_file_name);
    encode_qr(app.design_record);
    InvalidateRect(main_window, nullptr, TRUE);
    return true;
}
