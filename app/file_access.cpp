#include "file_access.h"

namespace {

constexpr wchar_t kCurrentDirectory[] = L".";
constexpr wchar_t kTemporaryPrefix[] = L"brv";

bool write_whole_file(const wchar_t* path, const uint8_t* bytes, int count) {
    HANDLE file =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool complete = WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr) &&
                          written == static_cast<DWORD>(count) && FlushFileBuffers(file);
    const bool closed = CloseHandle(file) != FALSE;
    return complete && closed;
}

}  // namespace

HANDLE open_existing_file(const wchar_t* path) {
    return CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool read_file_size(HANDLE file, uint64_t* size) {
    LARGE_INTEGER length{};
    if (!GetFileSizeEx(file, &length) || length.QuadPart < 0) {
        return false;
    }
    *size = static_cast<uint64_t>(length.QuadPart);
    return true;
}

bool read_exactly(HANDLE file, uint8_t* buffer, int count) {
    int done = 0;
    while (done < count) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + done, static_cast<DWORD>(count - done), &got, nullptr) ||
            got == 0) {
            return false;
        }
        done += static_cast<int>(got);
    }
    return true;
}

bool replace_file_atomically(const wchar_t* name, const uint8_t* bytes, int count) {
    wchar_t temporary[MAX_PATH];
    if (GetTempFileNameW(kCurrentDirectory, kTemporaryPrefix, 0, temporary) == 0) {
        return false;
    }
    if (write_whole_file(temporary, bytes, count) &&
        MoveFileExW(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary);
    return false;
}
