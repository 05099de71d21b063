#include "dib_image.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bmp_reader.h"
#include "picture_limits.h"

namespace {

constexpr WORD kBitsPerPixel = 24;
constexpr int kBytesPerPixel = kBitsPerPixel / 8;
constexpr int kRowAlignment = 4;

// The whole file, or an empty vector when it can't be read or can't be a picture.
std::vector<uint8_t> read_file_bytes(const wchar_t* path) {
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return bytes;
    }
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart <= kMaxPictureFileBytes) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
            if (!ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) {
                bytes.clear();
                break;
            }
            done += got;
        }
    }
    CloseHandle(file);
    return bytes;
}

// A positive height asks for bottom-up rows.
BITMAPINFO bottom_up_dib24_header(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP dib24_from_picture(const BmpImage& picture) {
    BITMAPINFO target = bottom_up_dib24_header(picture.width, picture.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) {
        return nullptr;
    }
    const size_t width = static_cast<size_t>(picture.width);
    const size_t row_bytes = kBytesPerPixel * width;
    const size_t stride = (row_bytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.rgb.data() + row_bytes * static_cast<size_t>(y);
        uint8_t* out =
            static_cast<uint8_t*>(bits) + stride * static_cast<size_t>(picture.height - 1 - y);
        for (size_t p = 0; p < row_bytes; p += kBytesPerPixel) {
            out[p] = in[p + 2];
            out[p + 1] = in[p + 1];
            out[p + 2] = in[p];
        }
    }
    return section;
}

}  // namespace

HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description) {
    const std::vector<uint8_t> bytes = read_file_bytes(path);
    BmpImage picture;
    std::string reason;
    if (bytes.empty() || read_bmp(bytes.data(), bytes.size(), &picture, &reason) != 0) {
        return nullptr;
    }
    HBITMAP section = dib24_from_picture(picture);
    if (section != nullptr && GetObjectW(section, sizeof *description, description) == 0) {
        DeleteObject(section);
        section = nullptr;
    }
    return section;
}
