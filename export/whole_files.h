// Files read whole, and written whole or not at all; picture files read whole
// within the one bound of the picture reader.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "picture.h"

// Writes a temporary file beside path, then renames it over path, so path holds
// either its old contents or all of the new ones. On failure returns false, with
// one line in *reason ("cannot write: …", "write error" or "cannot replace: …"),
// and the temporary file is gone.
bool write_file_atomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                           std::string* reason);

enum class WholeFileRead { read, unreadable, too_large };

// The file's bytes into *bytes. too_large, with nothing read, when the file holds
// more than max_bytes; unreadable with one line in *reason ("cannot open: …" or
// "read error").
WholeFileRead read_whole_file(const std::filesystem::path& path, std::uintmax_t max_bytes,
                              std::vector<uint8_t>* bytes, std::string* reason);

// What became of reading a picture. too_large: refused for its size alone (a file
// larger than any picture within the bound, or sides over it) before any pixel
// memory was allocated; unreadable: anything else.
enum class PictureLoad { loaded, unreadable, too_large };

// The one way from a file to a Picture, in its two halves: the file's bytes, then
// the picture they hold. *fault, when given, gets one line: read_whole_file's
// reason, "file too large for a picture", or the reader's exact fault.
PictureLoad read_picture_file_bytes(const std::filesystem::path& path, std::vector<uint8_t>* bytes,
                                    std::string* fault = nullptr);
PictureLoad picture_from_bytes(std::span<const uint8_t> bytes, Picture* picture,
                               std::string* fault = nullptr);

// Both halves: a BMP, PNG or JPEG file into *picture, red-green-blue, top row first.
PictureLoad read_picture_file(const std::filesystem::path& path, Picture* picture,
                              std::string* fault = nullptr);
