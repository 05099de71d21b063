#include "bmp_files.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kFileHeaderBytes = 14;
constexpr int kInfoHeaderBytes = 40;

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

Picture read_bmp24(const std::wstring& path) {
    const std::vector<uint8_t> bytes = read_bytes(path);
    Picture picture;
    if (bytes.size() < kFileHeaderBytes + kInfoHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M' ||
        little_endian(bytes, 28, 2) != 24 || little_endian(bytes, 30, 4) != BI_RGB) {
        return picture;
    }
    const uint32_t offset = little_endian(bytes, 10, 4);
    const int width = static_cast<int32_t>(little_endian(bytes, 18, 4));
    const int signed_height = static_cast<int32_t>(little_endian(bytes, 22, 4));
    const int height = signed_height < 0 ? -signed_height : signed_height;
    picture.width = width;
    picture.height = height;
    const size_t stride = static_cast<size_t>(picture.stride());
    if (width <= 0 || height == 0 || offset + stride * height > bytes.size()) {
        return Picture{};
    }
    picture.rows.resize(stride * height);
    for (int stored = 0; stored < height; ++stored) {
        const int bottom_up_row = signed_height < 0 ? height - 1 - stored : stored;
        std::memcpy(&picture.rows[stride * bottom_up_row], &bytes[offset + stride * stored],
                    stride);
    }
    return picture;
}

bool write_bmp24(const std::wstring& path, const Picture& picture, bool top_down) {
    const size_t stride = static_cast<size_t>(picture.stride());
    const size_t image_bytes = stride * picture.height;
    const size_t offset = kFileHeaderBytes + kInfoHeaderBytes;
    std::vector<uint8_t> bytes(offset + image_bytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put_little_endian(bytes, 2, static_cast<uint32_t>(bytes.size()), 4);
    put_little_endian(bytes, 10, static_cast<uint32_t>(offset), 4);
    put_little_endian(bytes, 14, kInfoHeaderBytes, 4);
    put_little_endian(bytes, 18, static_cast<uint32_t>(picture.width), 4);
    put_little_endian(bytes, 22, static_cast<uint32_t>(top_down ? -picture.height : picture.height),
                      4);
    put_little_endian(bytes, 26, 1, 2);
    put_little_endian(bytes, 28, 24, 2);
    put_little_endian(bytes, 34, static_cast<uint32_t>(image_bytes), 4);
    for (int stored = 0; stored < picture.height; ++stored) {
        const int bottom_up_row = top_down ? picture.height - 1 - stored : stored;
        std::memcpy(&bytes[offset + stride * stored], &picture.rows[stride * bottom_up_row],
                    stride);
    }
    return write_bytes(path, bytes);
}
