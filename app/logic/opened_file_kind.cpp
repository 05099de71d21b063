#include "opened_file_kind.h"

#include <algorithm>

namespace {

constexpr std::wstring_view kDesignFileExtension = L".dat";
constexpr std::wstring_view kPathSeparators = L"\\/";

constexpr uint8_t kBmpSignature[] = {'B', 'M'};
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};
static_assert(sizeof kPngSignature <= kFileSignatureBytes);

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

template <size_t N>
bool starts_with(const uint8_t* head, size_t count, const uint8_t (&signature)[N]) {
    return count >= N && std::equal(signature, signature + N, head);
}

}  // namespace

OpenedFileKind kind_of_opened_file(std::wstring_view path, const uint8_t* head, size_t count) {
    if (has_design_file_extension(path)) {
        return OpenedFileKind::design_file;
    }
    if (starts_with(head, count, kBmpSignature) || starts_with(head, count, kPngSignature) ||
        starts_with(head, count, kJpegSignature)) {
        return OpenedFileKind::picture;
    }
    return OpenedFileKind::unknown;
}
