#include "bmp_writer.h"

#include <cstdio>
#include <memory>

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr uint16_t kBitsPerPixel = 24;
constexpr uint16_t kPlanes = 1;

void put_u16(uint8_t* p, uint32_t value) {
    p[0] = static_cast<uint8_t>(value);
    p[1] = static_cast<uint8_t>(value >> 8);
}

void put_u32(uint8_t* p, uint32_t value) {
    put_u16(p, value);
    put_u16(p + 2, value >> 16);
}

}  // namespace

std::vector<uint8_t> encode_bmp24(const Picture& image) {
    const size_t width = static_cast<size_t>(image.width);
    const size_t height = static_cast<size_t>(image.height);
    const size_t stride = (3 * width + 3) / 4 * 4;
    const size_t pixel_bytes = stride * height;
    std::vector<uint8_t> file(kPixelOffset + pixel_bytes, 0);

    uint8_t* p = file.data();
    p[0] = 'B';
    p[1] = 'M';
    put_u32(p + 2, static_cast<uint32_t>(file.size()));
    put_u32(p + 10, kPixelOffset);
    uint8_t* info = p + kFileHeaderSize;
    put_u32(info, kInfoHeaderSize);
    put_u32(info + 4, static_cast<uint32_t>(image.width));
    put_u32(info + 8, static_cast<uint32_t>(image.height));  // positive: bottom-up
    put_u16(info + 12, kPlanes);
    put_u16(info + 14, kBitsPerPixel);
    put_u32(info + 20, static_cast<uint32_t>(pixel_bytes));
    // Compression (BI_RGB), resolutions and colour counts stay 0.

    for (size_t y = 0; y < height; ++y) {
        const uint8_t* in = image.rgb.data() + 3 * width * y;
        uint8_t* out = p + kPixelOffset + stride * (height - 1 - y);
        for (size_t x = 0; x < width; ++x) {
            out[3 * x] = in[3 * x + 2];
            out[3 * x + 1] = in[3 * x + 1];
            out[3 * x + 2] = in[3 * x];
        }
    }
    return file;
}
