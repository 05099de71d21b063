#include "dib_image.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "picture_limits.h"
#include "picture_reader.h"
#include "whole_files.h"

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
    const size_t row_bytes = kBytesPerPixel * static_cast<size_t>(picture.width);
    const size_t stride = dib24_stride(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.rgb.data() + row_bytes * static_cast<size_t>(y);
        uint8_t* out = rows + stride * static_cast<size_t>(picture.height - 1 - y);
        for (size_t p = 0; p < row_bytes; p += kBytesPerPixel) {
            out[p] = in[p + 2];
            out[p + 1] = in[p + 1];
            out[p + 2] = in[p];
        }
    }
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

PictureLoad read_picture_file(const wchar_t* path, Picture* picture) {
    std::vector<uint8_t> bytes;
    std::string unread;
    switch (read_whole_file(std::filesystem::path(path), kMaxPictureFileBytes, &bytes, &unread)) {
        case WholeFileRead::read:
            break;
        case WholeFileRead::too_large:
            return PictureLoad::too_large;
        case WholeFileRead::unreadable:
            return PictureLoad::unreadable;
    }
    // The reader checks the sides its header states before it allocates anything.
    std::string reason;
    bool too_large = false;
    if (read_picture(bytes.data(), bytes.size(), picture, &reason, &too_large) != 0) {
        return too_large ? PictureLoad::too_large : PictureLoad::unreadable;
    }
    return PictureLoad::loaded;
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
