#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <limits>
#include <span>
#include <string>

#include "whole_files.h"
#include "cli_error.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

std::vector<uint8_t> read_whole_file(const fs::path& path) {
    std::vector<uint8_t> bytes;
    std::string reason;
    if (::read_whole_file(path, std::numeric_limits<std::uintmax_t>::max(), &bytes, &reason) !=
        WholeFileRead::read)
        fail_with_file(path_to_utf8(path), reason);
    return bytes;
}

RecordBytes read_record_file(const fs::path& path) {
    const std::vector<uint8_t> bytes = read_whole_file(path);
    if (bytes.size() != kDesignRecordSize) {
        fail_with_file(path_to_utf8(path), "a design record is exactly 620 bytes, this file has " +
                                               std::to_string(bytes.size()));
    }
    RecordBytes record;
    std::memcpy(record.data(), bytes.data(), record.size());
    return record;
}

void write_file_atomically(const fs::path& path, std::string_view bytes) {
    std::string reason;
    if (!write_file_atomically(
            path, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
            &reason)) {
        fail_with_file(path_to_utf8(path), reason);
    }
}

void write_file_atomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::string reason;
    if (!write_file_atomically(path, std::span<const uint8_t>(bytes), &reason))
        fail_with_file(path_to_utf8(path), reason);
}
