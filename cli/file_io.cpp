#include "file_io.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

#include "cli_error.h"
#include "utf8_path.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

int process_id() {
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

// Moves from over to, replacing to; returns an empty string or the reason it failed.
std::string replace_file(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    return std::system_category().message(static_cast<int>(GetLastError()));
#else
    std::error_code error;
    fs::rename(from, to, error);
    return error ? error.message() : std::string();
#endif
}

}  // namespace

std::vector<uint8_t> read_whole_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail_with_file(path_to_utf8(path), std::string("cannot open: ") + std::strerror(errno));
    std::vector<uint8_t> bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    if (in.bad())
        fail_with_file(path_to_utf8(path), "read error");
    return bytes;
}

RecordBytes read_record_file(const fs::path& path) {
    const std::vector<uint8_t> bytes = read_whole_file(path);
    if (bytes.size() != kRecordFileSize) {
        fail_with_file(path_to_utf8(path), "a design record is exactly 620 bytes, this file has " +
                                               std::to_string(bytes.size()));
    }
    RecordBytes record;
    std::memcpy(record.data(), bytes.data(), record.size());
    return record;
}

void write_file_atomically(const fs::path& path, std::string_view bytes) {
    const std::string name = path_to_utf8(path);
    fs::path temporary = path;
    temporary += path_from_utf8(".tmp-" + std::to_string(process_id()));
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            fail_with_file(name, std::string("cannot write: ") + std::strerror(errno));
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            fail_with_file(name, "write error");
        }
    }
    const std::string failure = replace_file(temporary, path);
    if (!failure.empty()) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        fail_with_file(name, "cannot replace: " + failure);
    }
}

void write_file_atomically(const fs::path& path, const std::vector<uint8_t>& bytes) {
    write_file_atomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}
