#include "dib_image.h"

#include <cstdint>

#include "bmp_layout.h"

namespace {

constexpr WORD kBitsPerPixel = 24;

}  // namespace

BITMAPINFO bottom_up_dib24_header(LONG width, LONG height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

namespace {

// GDI converts the file's pixels, whatever their format and row order, into
// the new section. (LoadImage is not used: Wine loads top-down files as black.)
HBITMAP convert_to_dib24(const uint8_t* file, const BmpLayout& layout) {
    BITMAPINFO target = bottom_up_dib24_header(layout.width, layout.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) {
        return nullptr;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    const int lines =
        dc == nullptr
            ? 0
            : SetDIBits(dc, section, 0, static_cast<UINT>(layout.height), file + layout.bits_offset,
                        reinterpret_cast<const BITMAPINFO*>(file + layout.info_offset),
                        DIB_RGB_COLORS);
    if (dc != nullptr) {
        DeleteDC(dc);
    }
    if (lines != layout.height) {
        DeleteObject(section);
        return nullptr;
    }
    return section;
}

// The file mapped read-only into memory: no copy, nothing on the heap.
HBITMAP convert_mapped_file(HANDLE file) {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart <= 0) {
        return nullptr;
    }
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr) {
        return nullptr;
    }
    HBITMAP section = nullptr;
    const auto* view = static_cast<const uint8_t*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (view != nullptr) {
        BmpLayout layout{};
        if (locate_bmp_parts(view, static_cast<uint64_t>(size.QuadPart), &layout)) {
            section = convert_to_dib24(view, layout);
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return section;
}

}  // namespace

HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    HBITMAP section = convert_mapped_file(file);
    CloseHandle(file);
    if (section != nullptr && GetObjectW(section, sizeof *description, description) == 0) {
        DeleteObject(section);
        section = nullptr;
    }
    return section;
}

HBITMAP dib24_of_picture(const BmpImage& picture, BITMAP* description) {
    BITMAPINFO info = bottom_up_dib24_header(picture.width, picture.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) {
        return nullptr;
    }
    // Rows of the section are padded to 4 bytes; the picture's top row is stored last.
    const size_t row_bytes = static_cast<size_t>(picture.width) * 3;
    const size_t stride = (row_bytes + 3) / 4 * 4;
    auto* rows = static_cast<uint8_t*>(bits);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* from = picture.rgb.data() + static_cast<size_t>(y) * row_bytes;
        uint8_t* to = rows + static_cast<size_t>(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            to[3 * x + 0] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x + 0];
        }
    }
    if (GetObjectW(section, sizeof *description, description) == 0) {
        DeleteObject(section);
        return nullptr;
    }
    return section;
}
