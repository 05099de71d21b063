#include "dib_image.h"

#include <cstdlib>

namespace {

constexpr WORD kBitsPerPixel = 24;

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

// Copies every pixel of `source` into the rows of `target_bits` in the layout of `info`.
bool copy_pixels(HBITMAP source, BITMAPINFO* info, void* target_bits) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return false;
    }
    const int height = info->bmiHeader.biHeight;
    const int lines =
        GetDIBits(dc, source, 0, static_cast<UINT>(height), target_bits, info, DIB_RGB_COLORS);
    DeleteDC(dc);
    return lines == height;
}

}  // namespace

HBITMAP load_bmp_as_dib24(const wchar_t* path, BITMAP* description) {
    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (loaded == nullptr) {
        return nullptr;
    }
    BITMAP source{};
    HBITMAP converted = nullptr;
    if (GetObjectW(loaded, sizeof source, &source) == sizeof source && source.bmWidth > 0 &&
        source.bmHeight != 0) {
        BITMAPINFO info = bottom_up_dib24_header(source.bmWidth, std::abs(source.bmHeight));
        void* bits = nullptr;
        converted = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (converted != nullptr && !copy_pixels(loaded, &info, bits)) {
            DeleteObject(converted);
            converted = nullptr;
        }
    }
    DeleteObject(loaded);
    if (converted != nullptr && GetObjectW(converted, sizeof *description, description) == 0) {
        DeleteObject(converted);
        converted = nullptr;
    }
    return converted;
}
