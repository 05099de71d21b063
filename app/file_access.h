// Reading design files and writing the decoded record.
#pragma once

#include <windows.h>

#include <cstdint>

// Opens an existing file for reading, shared with no one.
// INVALID_HANDLE_VALUE when it can't be opened.
HANDLE open_existing_file(const wchar_t* path);

bool read_file_size(HANDLE file, uint64_t* size);

// Reads exactly `count` bytes from the file's current position.
bool read_exactly(HANDLE file, uint8_t* buffer, int count);

// Creates or replaces the file `name` in the current directory with `count`
// bytes, all or nothing: the bytes go to a temporary file in the same folder,
// which then takes the name in one move. On failure the old file is as it was
// and no temporary file is left.
bool replace_file_atomically(const wchar_t* name, const uint8_t* bytes, int count);
