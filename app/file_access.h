// Reading the start of a design file.
#pragma once

#include <windows.h>

#include <cstdint>

// Opens an existing file for reading, shared with no one.
// INVALID_HANDLE_VALUE when it can't be opened.
HANDLE open_existing_file(const wchar_t* path);

bool read_file_size(HANDLE file, uint64_t* size);

// Reads exactly `count` bytes from the file's current position.
bool read_exactly(HANDLE file, uint8_t* buffer, int count);
