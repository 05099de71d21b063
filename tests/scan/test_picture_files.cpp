#include "test_picture_files.h"

#include <stb/stb_image_write.h>  // compiled once, in brevane_picture

#include <array>
#include <stdexcept>

#include "png_writer.h"

namespace {

void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8)
        out.push_back(static_cast<uint8_t>(v >> s));
}
void put32le(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 0; s < 32; s += 8)
        out.push_back(static_cast<uint8_t>(v >> s));
}
void put16le(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

uint32_t crc32(const uint8_t* data, size_t n) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

void put_chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32be(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored blocks: no compression needed for a test file.
std::vector<uint8_t> stored_zlib(const std::vector<uint8_t>& raw) {
    constexpr size_t kMaxStored = 65535;
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0; at += kMaxStored) {
        const size_t n = std::min(kMaxStored, raw.size() - at);
        z.push_back(at + n >= raw.size() ? 1 : 0);
        put16le(z, static_cast<uint16_t>(n));
        put16le(z, static_cast<uint16_t>(~n));
        z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
        if (raw.empty())
            break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw)
        a = (a + v) % 65521, b = (b + a) % 65521;
    put32be(z, b << 16 | a);
    return z;
}

std::vector<uint8_t> grey_png(const Picture& p, int bit_depth) {
    std::vector<uint8_t> raw;
    for (int y = 0; y < p.height; ++y) {
        raw.push_back(0);  // no filter
        if (bit_depth == 8) {
            for (int x = 0; x < p.width; ++x)
                raw.push_back(p.rgb[(static_cast<size_t>(y) * p.width + x) * 3 + 1]);
        } else {
            for (int x = 0; x < p.width; x += 8) {
                uint8_t byte = 0;
                for (int k = 0; k < 8 && x + k < p.width; ++k)
                    if (p.rgb[(static_cast<size_t>(y) * p.width + x + k) * 3 + 1] >= 128)
                        byte |= static_cast<uint8_t>(0x80 >> k);
                raw.push_back(byte);
            }
        }
    }
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    put32be(header, static_cast<uint32_t>(p.width));
    put32be(header, static_cast<uint32_t>(p.height));
    header.insert(header.end(), {static_cast<uint8_t>(bit_depth), 0, 0, 0, 0});
    put_chunk(out, "IHDR", header);
    put_chunk(out, "IDAT", stored_zlib(raw));
    put_chunk(out, "IEND", {});
    return out;
}

std::vector<uint8_t> palette_bmp(const Picture& p) {
    const uint32_t row = (static_cast<uint32_t>(p.width) + 3) & ~3u;
    const uint32_t offset = 14 + 40 + 256 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    put32le(out, offset + row * p.height);
    put32le(out, 0);
    put32le(out, offset);
    put32le(out, 40);
    put32le(out, static_cast<uint32_t>(p.width));
    put32le(out, static_cast<uint32_t>(p.height));
    put16le(out, 1);
    put16le(out, 8);
    for (int k = 0; k < 6; ++k)
        put32le(out, k == 4 ? 256 : 0);  // no compression, sizes, 256 colours
    for (int k = 0; k < 256; ++k)
        out.insert(out.end(), {uint8_t(k), uint8_t(k), uint8_t(k), 0});
    for (int y = p.height - 1; y >= 0; --y) {
        for (int x = 0; x < p.width; ++x)
            out.push_back(p.rgb[(static_cast<size_t>(y) * p.width + x) * 3 + 1]);
        out.insert(out.end(), row - p.width, 0);
    }
    return out;
}

}  // namespace

std::vector<uint8_t> picture_file(const Picture& picture, PictureFileKind kind, int jpeg_quality) {
    switch (kind) {
        case PictureFileKind::png:
            return encode_png(picture);
        case PictureFileKind::png_grey:
            return grey_png(picture, 8);
        case PictureFileKind::png_one_bit:
            return grey_png(picture, 1);
        case PictureFileKind::bmp_palette:
            return palette_bmp(picture);
        case PictureFileKind::jpeg: {
            std::vector<uint8_t> out;
            stbi_write_jpg_to_func(
                [](void* context, void* data, int size) {
                    auto* o = static_cast<std::vector<uint8_t>*>(context);
                    const auto* bytes = static_cast<const uint8_t*>(data);
                    o->insert(o->end(), bytes, bytes + size);
                },
                &out, picture.width, picture.height, 3, picture.rgb.data(), jpeg_quality);
            return out;
        }
    }
    throw std::logic_error("unknown picture file kind");
}
