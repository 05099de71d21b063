// How a dropped file, or one named on the command line, is opened: told by its
// name's extension (design files) or by its first bytes (pictures).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "picture_reader.h"

enum class OpenedFileKind {
    design_file,  // opened as command 100 opens a chosen file
    picture,      // opened as command 102 opens a chosen picture
    unknown,      // refused with the cannot-open message
};

// `path` is a Windows path; only its last component's extension counts, ".dat"
// in any case. Otherwise `head` (the file's first bytes, up to
// kPictureSignatureBytes) decides, by the picture reader's own signatures.
OpenedFileKind kind_of_opened_file(std::wstring_view path, const uint8_t* head, size_t count);
