#include "whole_files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "picture_limits.h"
#include "picture_reader.h"

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

#ifdef _WIN32
// The system's text for an error as one line of UTF-8. (The standard library's
// text is in the ANSI code page and ends with a line break.)
std::string system_error_line(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring line(text != nullptr ? text : L"", length);
    LocalFree(text);
    for (wchar_t& c : line) {
        if (c == L'\r' || c == L'\n')
            c = L' ';
    }
    while (!line.empty() && line.back() == L' ')
        line.pop_back();
    if (line.empty())
        return "error " + std::to_string(error);
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}
#endif

// Moves from over to, replacing to; returns an empty string or the reason it failed.
std::string replace_file(const fs::path& from, const fs::path& to) {
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    return system_error_line(GetLastError());
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

PictureLoad give_fault(PictureLoad load, std::string text, std::string* fault) {
    if (fault != nullptr)
        *fault = std::move(text);
    return load;
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

WholeFileRead read_whole_file(const fs::path& path, std::uintmax_t max_bytes,
                              std::vector<uint8_t>* bytes, std::string* reason) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        *reason = std::string("cannot open: ") + std::strerror(errno);
        return WholeFileRead::unreadable;
    }
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error && size > max_bytes)
        return WholeFileRead::too_large;
    bytes->clear();
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        if (bytes->size() + static_cast<size_t>(in.gcount()) > max_bytes)
            return WholeFileRead::too_large;  // the file grew while it was read
        bytes->insert(bytes->end(), buffer, buffer + in.gcount());
    }
    if (in.bad()) {
        *reason = "read error";
        return WholeFileRead::unreadable;
    }
    return WholeFileRead::read;
}

PictureLoad read_picture_file_bytes(const fs::path& path, std::vector<uint8_t>* bytes,
                                    std::string* fault) {
    std::string reason;
    switch (read_whole_file(path, kMaxPictureFileBytes, bytes, &reason)) {
        case WholeFileRead::read:
            return PictureLoad::loaded;
        case WholeFileRead::too_large:
            return give_fault(PictureLoad::too_large, "file too large for a picture", fault);
        case WholeFileRead::unreadable:
            break;
    }
    return give_fault(PictureLoad::unreadable, std::move(reason), fault);
}

PictureLoad picture_from_bytes(std::span<const uint8_t> bytes, Picture* picture,
                               std::string* fault) {
    // The reader checks the sides its header states before it allocates anything.
    PictureRefusal refusal;
    if (read_picture(bytes.data(), bytes.size(), picture, &refusal) == 0)
        return PictureLoad::loaded;
    return give_fault(
        refusal.error == PictureError::kTooLarge ? PictureLoad::too_large : PictureLoad::unreadable,
        std::move(refusal.fault), fault);
}

PictureLoad read_picture_file(const fs::path& path, Picture* picture, std::string* fault) {
    std::vector<uint8_t> bytes;
    const PictureLoad read = read_picture_file_bytes(path, &bytes, fault);
    return read == PictureLoad::loaded ? picture_from_bytes(bytes, picture, fault) : read;
}
