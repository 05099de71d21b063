// Files read whole, and written whole or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

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
