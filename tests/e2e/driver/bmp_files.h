// BMP files for the scenarios, read and written through the core's reader and writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"

// Pixels as a positive-height DIB holds them: rows bottom-up, blue-green-red,
// each row padded to 4 bytes.
struct DibPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;

    int stride() const { return (3 * width + 3) / 4 * 4; }
};

// Reads any BMP the window takes; empty picture on failure.
DibPicture read_bmp24(const std::wstring& path);

// Reads any picture the window takes (BMP, PNG, JPEG); empty picture on failure.
DibPicture read_picture_file(const std::wstring& path);

// The reader's RGB rows as a DIB holds them.
DibPicture picture_of_image(const Picture& image);

// Writes `picture` as a 24-bit BMP, stored bottom-up or top-down (negative height).
bool write_bmp24(const std::wstring& path, const DibPicture& picture, bool top_down);

// The uncompressed BMP file with its rows stored the other way: top-down.
std::vector<uint8_t> stored_top_down(const std::vector<uint8_t>& bottom_up);

bool write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_bytes(const std::wstring& path);
bool file_exists(const std::wstring& path);
