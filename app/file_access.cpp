#include "file_access.h"

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
