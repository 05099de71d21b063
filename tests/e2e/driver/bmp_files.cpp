#include "bmp_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "bmp_reader.h"
#include "bmp_writer.h"
#include "picture_reader.h"

namespace {

constexpr size_t kPixelOffsetField = 10;
constexpr size_t kWidthField = 18;
constexpr size_t kHeightField = 22;
constexpr size_t kBitsField = 28;

uint32_t little_endian(const std::vector<uint8_t>& bytes, size_t at, int length) {
    uint32_t value = 0;
    for (int i = length - 1; i >= 0; --i) {
        value = value << 8 | bytes[at + i];
    }
    return value;
}

void put_little_endian(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace

std::vector<uint8_t> read_bytes(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    FILE* file = _wfopen(path.c_str(), L"rb");
    if (file == nullptr) {
        return bytes;
    }
    uint8_t buffer[4096];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::fclose(file);
    return bytes;
}

bool write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

bool file_exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

// The file read by the BMP reader alone, or by the picture reader (any format).
DibPicture read_with(const std::wstring& path, bool bmp_only) {
    const std::vector<uint8_t> bytes = read_bytes(path);
    Picture image;
    const int status = bmp_only ? read_bmp(bytes.data(), bytes.size(), &image, nullptr)
                                : read_picture(bytes.data(), bytes.size(), &image, nullptr);
    return status == 0 ? picture_of_image(image) : DibPicture{};
}

}  // namespace

DibPicture read_bmp24(const std::wstring& path) {
    return read_with(path, true);
}

DibPicture read_picture_file(const std::wstring& path) {
    return read_with(path, false);
}

DibPicture picture_of_image(const Picture& image) {
    DibPicture picture;
    picture.width = image.width;
    picture.height = image.height;
    const size_t stride = static_cast<size_t>(picture.stride());
    picture.rows.assign(stride * static_cast<size_t>(image.height), 0);
    write_bottom_up_bgr_rows(image, stride, picture.rows.data());
    return picture;
}

std::vector<uint8_t> stored_top_down(const std::vector<uint8_t>& bottom_up) {
    std::vector<uint8_t> file = bottom_up;
    const uint32_t offset = little_endian(file, kPixelOffsetField, 4);
    const uint32_t width = little_endian(file, kWidthField, 4);
    const int height = static_cast<int>(little_endian(file, kHeightField, 4));
    const size_t stride = (width * little_endian(file, kBitsField, 2) + 31) / 32 * 4;
    for (int stored = 0; stored < height; ++stored) {
        std::memcpy(&file[offset + stride * stored],
                    &bottom_up[offset + stride * (height - 1 - stored)], stride);
    }
    put_little_endian(file, kHeightField, static_cast<uint32_t>(-height), 4);
    return file;
}

bool write_bmp24(const std::wstring& path, const DibPicture& picture, bool top_down) {
    Picture image;
    image.width = picture.width;
    image.height = picture.height;
    const size_t stride = static_cast<size_t>(picture.stride());
    for (int y = 0; y < picture.height; ++y) {
        const uint8_t* row = &picture.rows[stride * (picture.height - 1 - y)];
        for (int x = 0; x < picture.width; ++x) {
            image.rgb.insert(image.rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
        }
    }
    const std::vector<uint8_t> file = encode_bmp24(image);
    return write_bytes(path, top_down ? stored_top_down(file) : file);
}
