#include "bmp_layout.h"

namespace {

constexpr uint32_t kInfoHeaderBytes = 40;      // BITMAPINFOHEADER
constexpr uint32_t kMaxInfoHeaderBytes = 124;  // BITMAPV5HEADER
constexpr uint32_t kBitFieldMaskBytes = 12;    // red, green, blue masks after a plain info header
constexpr uint32_t kColourEntryBytes = 4;

// Compression values of the info header.
constexpr uint32_t kUncompressed = 0;
constexpr uint32_t kRunLength8 = 1;
constexpr uint32_t kRunLength4 = 2;
constexpr uint32_t kBitFields = 3;

uint32_t read_u16(const uint8_t* at) {
    return static_cast<uint32_t>(at[0] | at[1] << 8);
}

uint32_t read_u32(const uint8_t* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

bool known_header_size(uint32_t bytes) {
    return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 ||
           bytes == kMaxInfoHeaderBytes;
}

bool valid_depth_and_compression(uint32_t bits, uint32_t compression) {
    switch (compression) {
        case kUncompressed:
            return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
        case kRunLength8:
            return bits == 8;
        case kRunLength4:
            return bits == 4;
        case kBitFields:
            return bits == 16 || bits == 32;
        default:
            return false;
    }
}

}  // namespace

bool locate_bmp_parts(const uint8_t* file, uint64_t size, BmpLayout* layout) {
    if (size < kBmpFileHeaderBytes + kInfoHeaderBytes || file[0] != 'B' || file[1] != 'M') {
        return false;
    }
    const uint8_t* info = file + kBmpFileHeaderBytes;
    const uint32_t header_bytes = read_u32(info);
    if (!known_header_size(header_bytes) || kBmpFileHeaderBytes + header_bytes > size) {
        return false;
    }
    const int64_t width = static_cast<int32_t>(read_u32(info + 4));
    const int64_t signed_height = static_cast<int32_t>(read_u32(info + 8));
    const int64_t height = signed_height < 0 ? -signed_height : signed_height;
    const uint32_t planes = read_u16(info + 12);
    const uint32_t bits = read_u16(info + 14);
    const uint32_t compression = read_u32(info + 16);
    const uint32_t image_bytes = read_u32(info + 20);
    const uint32_t colours_used = read_u32(info + 32);
    if (width <= 0 || width > kMaxBmpSide || height == 0 || height > kMaxBmpSide || planes != 1 ||
        !valid_depth_and_compression(bits, compression)) {
        return false;
    }
    const bool run_length = compression == kRunLength8 || compression == kRunLength4;
    if (run_length && signed_height < 0) {
        return false;  // run-length data is only ever stored bottom-up
    }

    // Masks that follow a plain info header, then the colour table.
    uint64_t table_end = kBmpFileHeaderBytes + header_bytes;
    if (compression == kBitFields && header_bytes == kInfoHeaderBytes) {
        table_end += kBitFieldMaskBytes;
    }
    const uint64_t palette_limit = bits <= 8 ? uint64_t{1} << bits : 0;
    if (bits <= 8 && colours_used > palette_limit) {
        return false;
    }
    const uint64_t colours = colours_used != 0 ? colours_used : palette_limit;
    table_end += colours * kColourEntryBytes;
    if (table_end > size) {
        return false;
    }

    const uint32_t bits_offset = read_u32(file + 10);
    if (bits_offset < kBmpFileHeaderBytes + header_bytes || bits_offset > size) {
        return false;
    }
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    const uint64_t pixel_bytes = run_length ? image_bytes : stride * static_cast<uint64_t>(height);
    if (pixel_bytes == 0 || bits_offset + pixel_bytes > size) {
        return false;
    }
    layout->width = static_cast<int>(width);
    layout->height = static_cast<int>(height);
    layout->info_offset = kBmpFileHeaderBytes;
    layout->bits_offset = bits_offset;
    return true;
}
