// Writing a file whole or not at all.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

// Writes a temporary file beside path, then renames it over path, so path holds
// either its old contents or all of the new ones. On failure returns false, with
// one line in *reason ("cannot write: …", "write error" or "cannot replace: …"),
// and the temporary file is gone.
bool write_file_atomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                           std::string* reason);
