#include "atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

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

bool fail(const fs::path& temporary, std::string text, std::string* reason) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    *reason = std::move(text);
    return false;
}

}  // namespace

bool write_file_atomically(const fs::path& path, std::span<const uint8_t> bytes,
                           std::string* reason) {
    fs::path temporary = path;
    temporary += ".tmp-" + std::to_string(process_id());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return fail(temporary, std::string("cannot write: ") + std::strerror(errno), reason);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out)
            return fail(temporary, "write error", reason);
    }
    const std::string failure = replace_file(temporary, path);
    if (!failure.empty())
        return fail(temporary, "cannot replace: " + failure, reason);
    return true;
}
