#include "picture_header_size.h"

namespace {

constexpr size_t kBmpInfoSizeOffset = 14;
constexpr size_t kBmpWidthOffset = 18;
constexpr uint32_t kBmpCoreHeaderSize = 12;
constexpr size_t kPngWidthOffset = 16;  // after the signature and IHDR's length and type
constexpr uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint8_t kMarkerPrefix = 0xFF;
constexpr uint8_t kStartOfImage = 0xD8;

uint32_t little_u32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t little_u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t big_u32(const uint8_t* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

uint16_t big_u16(const uint8_t* p) {
    return static_cast<uint16_t>((p[0] << 8) | p[1]);
}

bool bmp_size(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    if (size < kBmpWidthOffset + 8) {
        return false;
    }
    if (little_u32(data + kBmpInfoSizeOffset) == kBmpCoreHeaderSize) {
        *width = little_u16(data + kBmpWidthOffset);
        *height = little_u16(data + kBmpWidthOffset + 2);
        return true;
    }
    // Signed: a negative height stores the rows top-down.
    const int64_t stored_height = static_cast<int32_t>(little_u32(data + kBmpWidthOffset + 4));
    *width = static_cast<int32_t>(little_u32(data + kBmpWidthOffset));
    *height = stored_height < 0 ? -stored_height : stored_height;
    return true;
}

bool png_size(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    if (size < kPngWidthOffset + 8) {
        return false;
    }
    *width = big_u32(data + kPngWidthOffset);
    *height = big_u32(data + kPngWidthOffset + 4);
    return true;
}

// SOF0 to SOF15 but for DHT (C4), JPG (C8) and DAC (CC): height, then width.
bool is_start_of_frame(uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool jpeg_size(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    size_t at = 2;
    while (at + 4 <= size) {
        if (data[at] != kMarkerPrefix) {
            return false;
        }
        const uint8_t marker = data[at + 1];
        if (marker == kMarkerPrefix) {  // fill byte
            ++at;
            continue;
        }
        const size_t length = big_u16(data + at + 2);
        if (is_start_of_frame(marker)) {
            if (length < 7 || at + 9 > size) {
                return false;
            }
            *height = big_u16(data + at + 5);
            *width = big_u16(data + at + 7);
            return true;
        }
        at += 2 + length;
    }
    return false;
}

}  // namespace

bool picture_header_size(const uint8_t* data, size_t size, int64_t* width, int64_t* height) {
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        return bmp_size(data, size, width, height);
    }
    if (size >= sizeof kPngSignature) {
        bool png = true;
        for (size_t i = 0; i < sizeof kPngSignature; ++i) {
            png = png && data[i] == kPngSignature[i];
        }
        if (png) {
            return png_size(data, size, width, height);
        }
    }
    if (size >= 2 && data[0] == kMarkerPrefix && data[1] == kStartOfImage) {
        return jpeg_size(data, size, width, height);
    }
    return false;
}
