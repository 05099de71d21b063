// Reading and writing uncompressed 24-bit BMP files for the scenarios.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pixels as a positive-height DIB holds them: rows bottom-up, blue-green-red,
// each row padded to 4 bytes.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;

    int stride() const { return (3 * width + 3) / 4 * 4; }
};

// Reads a 24-bit uncompressed BMP stored either way up; empty picture on failure.
Picture read_bmp24(const std::wstring& path);

// Writes `picture` as a 24-bit BMP, stored bottom-up or top-down (negative height).
bool write_bmp24(const std::wstring& path, const Picture& picture, bool top_down);

bool write_bytes(const std::wstring& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> read_bytes(const std::wstring& path);
bool file_exists(const std::wstring& path);
