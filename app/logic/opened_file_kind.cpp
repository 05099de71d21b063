#include "opened_file_kind.h"

#include <algorithm>

#include "picture_reader.h"

namespace {

constexpr std::wstring_view kDesignFileExtension = L".dat";
constexpr std::wstring_view kPathSeparators = L"\\/";


wchar_t ascii_lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool has_design_file_extension(std::wstring_view path) {
    const size_t separator = path.find_last_of(kPathSeparators);
    const std::wstring_view name =
        separator == std::wstring_view::npos ? path : path.substr(separator + 1);
    if (name.size() < kDesignFileExtension.size()) {
        return false;
    }
    const std::wstring_view extension = name.substr(name.size() - kDesignFileExtension.size());
    return std::equal(extension.begin(), extension.end(), kDesignFileExtension.begin(),
                      [](wchar_t a, wchar_t b) { return ascii_lower(a) == b; });
}

}  // namespace

OpenedFileKind kind_of_opened_file(std::wstring_view path, const uint8_t* head, size_t count) {
    if (has_design_file_extension(path)) {
        return OpenedFileKind::design_file;
    }
    if (has_picture_signature(head, count)) {
        return OpenedFileKind::picture;
    }
    return OpenedFileKind::unknown;
}
