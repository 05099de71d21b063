#include "dib_image.h"

#include <cstdint>

namespace {

constexpr WORD kBitsPerPixel = 24;
constexpr int kBytesPerPixel = kBitsPerPixel / 8;
constexpr int kRowAlignment = 4;

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

size_t dib24_stride(int width) {
    const size_t row_bytes = kBytesPerPixel * static_cast<size_t>(width);
    return (row_bytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
}

void copy_picture_to_dib24_rows(const Picture& picture, uint8_t* rows) {
    write_bottom_up_bgr_rows(picture, dib24_stride(picture.width), rows);
}

HBITMAP dib24_of_picture(const Picture& picture, BITMAP* description) {
    BITMAPINFO target = bottom_up_dib24_header(picture.width, picture.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section == nullptr) {
        return nullptr;
    }
    copy_picture_to_dib24_rows(picture, static_cast<uint8_t*>(bits));
    if (GetObjectW(section, sizeof *description, description) == 0) {
        DeleteObject(section);
        return nullptr;
    }
    return section;
}

PictureLoad load_picture_as_dib24(const wchar_t* path, HBITMAP* section, BITMAP* description) {
    Picture picture;
    const PictureLoad read = read_picture_file(path, &picture);
    if (read != PictureLoad::loaded) {
        return read;
    }
    *section = dib24_of_picture(picture, description);
    return *section != nullptr ? PictureLoad::loaded : PictureLoad::unreadable;
}
