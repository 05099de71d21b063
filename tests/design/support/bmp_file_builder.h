// Hand-built BMP files for the reader's tests: any header size, depth,
// compression, masks, palette and pixel offset, including broken ones.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

struct BmpFileFields {
    uint32_t header_size = 40;  // 12 writes a BITMAPCOREHEADER
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    // Written inside a header of 52 bytes or more, else right after the 40-byte header.
    std::vector<uint32_t> masks;
    std::vector<uint32_t> palette;  // 0xRRGGBB each
    uint32_t colours_used = 0;
    std::vector<uint8_t> pixels;           // the stored rows, padding included
    std::optional<uint32_t> pixel_offset;  // default: right after the palette
};

std::vector<uint8_t> build_bmp_file(const BmpFileFields& fields);

// Packs pixel values (palette indices, 16- or 32-bit words, or 0xRRGGBB for 24
// bits), given top row first, into stored rows of `bits` per pixel padded to 4
// bytes, in the order of a bottom-up or a top-down file.
std::vector<uint8_t> pack_rows(const std::vector<std::vector<uint32_t>>& rows_top_first, int bits,
                               bool top_down);

// The fields of an uncompressed file of `bits` per pixel holding these pixel
// values (as pack_rows takes them), stored top-down or bottom-up.
BmpFileFields fields_for(const std::vector<std::vector<uint32_t>>& rows_top_first, int bits,
                         bool top_down);
