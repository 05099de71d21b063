// Writes the catalogue of bad inputs into the folder given: pictures, design
// files and screenshots that both programs must refuse without writing
// anything. The first word of each name says what the file is for:
//   picture_*  an image to convert (brevane-cli record, the window's command 102)
//   design_*   a design file of the wrong size (qr and preview; command 100)
//   shot_*     a screenshot of the wrong size (decode; command 101)
#include <stb_image_write.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_file_builder.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;
using Rows = std::vector<std::vector<uint32_t>>;

Rows pattern(int width, int height, uint32_t modulus) {
    Rows rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rows[static_cast<size_t>(y)].push_back(
                static_cast<uint32_t>(x * 0x0B0705 + y * 0x030507) % modulus);
        }
    }
    return rows;
}

// A valid 32 x 32 file of `bits` per pixel, with a full grey colour table when palettised.
BmpFileFields good(int bits) {
    BmpFileFields fields =
        fields_for(pattern(32, 32, bits <= 8 ? 1u << bits : 0x1000000), bits, false);
    if (bits <= 8) {
        for (uint32_t e = 0; e < (1u << bits); ++e) {
            fields.palette.push_back(e * 255 / ((1u << bits) - 1) * 0x010101);
        }
    }
    return fields;
}

template <typename Change>
Bytes bmp_with(int bits, Change change) {
    BmpFileFields fields = good(bits);
    change(fields);
    return build_bmp_file(fields);
}

void put_le(Bytes& bytes, size_t at, uint32_t value, int length) {
    for (int i = 0; i < length; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
}

Bytes cut(Bytes bytes, size_t keep) {
    bytes.resize(keep);
    return bytes;
}

BmpFileFields rle8(const Bytes& stream) {
    BmpFileFields fields = good(8);
    fields.compression = 1;
    fields.pixels = stream;
    return fields;
}

void append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

Bytes rgb_pattern(int width, int height) {
    Bytes rgb;
    for (const auto& row : pattern(width, height, 0x1000000)) {
        for (uint32_t c : row) {
            rgb.insert(rgb.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                                   static_cast<uint8_t>(c)});
        }
    }
    return rgb;
}

Bytes good_png() {
    const Bytes rgb = rgb_pattern(32, 32);
    Bytes png;
    stbi_write_png_to_func(append, &png, 32, 32, 3, rgb.data(), 32 * 3);
    return png;
}

Bytes good_jpeg() {
    const Bytes rgb = rgb_pattern(32, 32);
    Bytes jpeg;
    stbi_write_jpg_to_func(append, &jpeg, 32, 32, 3, rgb.data(), 90);
    return jpeg;
}

uint32_t be32(const Bytes& bytes, size_t at) {
    return uint32_t{bytes[at]} << 24 | uint32_t{bytes[at + 1]} << 16 |
           uint32_t{bytes[at + 2]} << 8 | bytes[at + 3];
}

void put_be32(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

// The offset of the first PNG chunk of this type.
size_t png_chunk(const Bytes& png, const char* type) {
    size_t at = 8;
    while (at + 8 <= png.size() && std::memcmp(png.data() + at + 4, type, 4) != 0) {
        at += 12 + be32(png, at);
    }
    return at;
}

void fix_png_crc(Bytes& png, size_t chunk) {
    const uint32_t length = be32(png, chunk);
    put_be32(png, chunk + 8 + length,
             static_cast<uint32_t>(crc32(0, png.data() + chunk + 4, length + 4)));
}

// The offset of the first JPEG marker 0xFF `code`.
size_t jpeg_marker(const Bytes& jpeg, uint8_t code) {
    for (size_t at = 0; at + 1 < jpeg.size(); ++at) {
        if (jpeg[at] == 0xFF && jpeg[at + 1] == code) {
            return at;
        }
    }
    return jpeg.size();
}

std::vector<std::pair<std::string, Bytes>> catalogue() {
    std::vector<std::pair<std::string, Bytes>> files;
    auto add = [&](const std::string& name, const Bytes& bytes) {
        files.emplace_back(name, bytes);
    };
    const Bytes bmp24 = build_bmp_file(good(24));

    add("picture_empty.bmp", {});
    add("picture_not_a_picture.bmp", {'h', 'e', 'l', 'l', 'o', '\n'});
    add("picture_truncated_file_header.bmp", cut(bmp24, 10));
    add("picture_truncated_info_header.bmp", cut(bmp24, 30));
    add("picture_truncated_core_header.bmp",
        cut(bmp_with(8, [](auto& f) { f.header_size = 12; }), 20));
    add("picture_truncated_pixels.bmp", cut(bmp24, bmp24.size() - 100));
    add("picture_pixel_offset_past_end.bmp",
        cut(bmp_with(24,
                     [&](auto& f) { f.pixel_offset = static_cast<uint32_t>(bmp24.size() + 10); }),
            bmp24.size()));
    add("picture_pixel_offset_in_headers.bmp", bmp_with(24, [](auto& f) { f.pixel_offset = 20; }));
    add("picture_size_overflows_32_bits.bmp",
        bmp_with(24, [](auto& f) { f.width = f.height = 65536; }));
    add("picture_size_overflows_int32.bmp", bmp_with(24, [](auto& f) {
            f.width = INT32_MAX;
            f.height = 2;
        }));
    add("picture_side_above_bound.bmp", bmp_with(24, [](auto& f) { f.width = 16384 + 32; }));
    add("picture_width_zero.bmp", bmp_with(24, [](auto& f) { f.width = 0; }));
    add("picture_width_negative.bmp", bmp_with(24, [](auto& f) { f.width = -32; }));
    add("picture_height_zero.bmp", bmp_with(24, [](auto& f) { f.height = 0; }));
    add("picture_height_int32_min.bmp", bmp_with(24, [](auto& f) { f.height = INT32_MIN; }));
    add("picture_depth_2.bmp", bmp_with(24, [](auto& f) { f.bits = 2; }));
    add("picture_depth_0.bmp", bmp_with(24, [](auto& f) { f.bits = 0; }));
    add("picture_depth_64.bmp", bmp_with(24, [](auto& f) { f.bits = 64; }));
    add("picture_compression_unknown.bmp", bmp_with(24, [](auto& f) { f.compression = 9; }));
    add("picture_compression_jpeg.bmp", bmp_with(24, [](auto& f) { f.compression = 4; }));
    add("picture_compression_png.bmp", bmp_with(24, [](auto& f) { f.compression = 5; }));
    add("picture_rle8_at_24_bits.bmp", bmp_with(24, [](auto& f) { f.compression = 1; }));
    add("picture_bitfields_at_8_bits.bmp", bmp_with(8, [](auto& f) { f.compression = 3; }));
    add("picture_header_size_64.bmp", bmp_with(24, [](auto& f) { f.header_size = 64; }));
    Bytes planes = bmp24;
    put_le(planes, 26, 0, 2);
    add("picture_planes_0.bmp", planes);
    put_le(planes, 26, 3, 2);
    add("picture_planes_3.bmp", planes);
    add("picture_colour_count_above_depth.bmp", bmp_with(4, [](auto& f) {
            f.palette.resize(17);
            f.colours_used = 17;
        }));
    add("picture_palette_past_end.bmp",
        cut(bmp_with(8, [](auto& f) { f.pixels.clear(); }), 54 + 600));
    add("picture_palette_index_beyond_table.bmp", bmp_with(8, [](auto& f) {
            f.palette.resize(4);
            f.colours_used = 4;
        }));
    add("picture_bitfield_mask_gap.bmp", bmp_with(32, [](auto& f) {
            f.compression = 3;
            f.masks = {0xFF0000, 0x00FF00, 0x0000F7};
        }));
    add("picture_rle8_empty_stream.bmp", build_bmp_file(rle8({})));
    add("picture_rle8_sets_no_pixel.bmp", build_bmp_file(rle8({0, 0, 0, 2, 4, 4, 0, 1})));
    add("picture_rle8_no_end_code.bmp", build_bmp_file(rle8({32, 5, 0, 0, 32, 6, 0, 0})));
    add("picture_rle8_cut_absolute_run.bmp", build_bmp_file(rle8({0, 20, 1, 2, 3})));
    BmpFileFields top_down_rle = rle8({32, 5, 0, 1});
    top_down_rle.height = -32;
    add("picture_rle8_top_down.bmp", build_bmp_file(top_down_rle));
    BmpFileFields rle4 = good(4);
    rle4.compression = 2;
    rle4.pixels = {32, 0x12, 0, 0};
    add("picture_rle4_no_end_code.bmp", build_bmp_file(rle4));
    Bytes stream_past_end = build_bmp_file(rle8({32, 5, 0, 1}));
    put_le(stream_past_end, 34, 4000, 4);
    add("picture_rle8_stream_past_end.bmp", stream_past_end);

    const Bytes png = good_png();
    add("picture_png_truncated.png", cut(png, png.size() / 2));
    add("picture_png_without_iend.png", cut(png, png_chunk(png, "IEND")));
    Bytes png_header_crc = png;
    png_header_crc[png_chunk(png, "IHDR") + 8] ^= 0x01;  // width, CRC left as it was
    add("picture_png_header_checksum.png", png_header_crc);
    Bytes png_data_crc = png;
    png_data_crc[png_chunk(png, "IDAT") + 20] ^= 0x5A;
    add("picture_png_data_checksum.png", png_data_crc);
    Bytes png_data = png_data_crc;
    fix_png_crc(png_data, png_chunk(png, "IDAT"));
    add("picture_png_damaged_data.png", png_data);
    Bytes png_huge = png;
    put_be32(png_huge, png_chunk(png, "IHDR") + 8, 100000);
    fix_png_crc(png_huge, png_chunk(png, "IHDR"));
    add("picture_png_header_too_large.png", png_huge);
    Bytes png_zero = png;
    put_be32(png_zero, png_chunk(png, "IHDR") + 12, 0);
    fix_png_crc(png_zero, png_chunk(png, "IHDR"));
    add("picture_png_header_height_zero.png", png_zero);
    Bytes png_depth = png;
    png_depth[png_chunk(png, "IHDR") + 16] = 7;  // no such bit depth
    fix_png_crc(png_depth, png_chunk(png, "IHDR"));
    add("picture_png_header_depth_7.png", png_depth);

    const Bytes jpeg = good_jpeg();
    const size_t scan = jpeg_marker(jpeg, 0xDA);
    add("picture_jpeg_truncated_header.jpg", cut(jpeg, scan / 2));
    add("picture_jpeg_truncated_scan.jpg", cut(jpeg, scan + (jpeg.size() - scan) / 2));
    add("picture_jpeg_without_eoi.jpg", cut(jpeg, jpeg.size() - 2));
    Bytes jpeg_length = jpeg;
    const size_t frame = jpeg_marker(jpeg, 0xC0);
    jpeg_length[frame + 2] = 0xFF;  // the frame header's length runs off the end
    add("picture_jpeg_header_length.jpg", jpeg_length);
    Bytes jpeg_huge = jpeg;
    jpeg_huge[frame + 5] = 0xFF;  // height 65280 and more
    add("picture_jpeg_header_too_large.jpg", jpeg_huge);
    Bytes jpeg_short_scan = jpeg;
    jpeg_short_scan[frame + 5] = 0x10;  // 4096 x 4096 from the scan data of 32 x 32
    jpeg_short_scan[frame + 7] = 0x10;
    jpeg_short_scan[frame + 6] = jpeg_short_scan[frame + 8] = 0;
    add("picture_jpeg_scan_too_short_for_its_size.jpg", jpeg_short_scan);
    Bytes jpeg_zero_width = jpeg;
    jpeg_zero_width[frame + 7] = 0;
    jpeg_zero_width[frame + 8] = 0;
    add("picture_jpeg_header_width_zero.jpg", jpeg_zero_width);
    Bytes jpeg_marker_in_scan = jpeg;
    jpeg_marker_in_scan[scan + 40] = 0xFF;
    jpeg_marker_in_scan[scan + 41] = 0xC4;  // a table segment begins inside the scan data
    add("picture_jpeg_marker_in_scan.jpg", jpeg_marker_in_scan);
    Bytes jpeg_huffman = jpeg;
    const size_t table = jpeg_marker(jpeg, 0xC4);
    std::fill_n(jpeg_huffman.begin() + static_cast<long>(table) + 5, 16, uint8_t{0xFF});
    add("picture_jpeg_huffman_table_overflow.jpg", jpeg_huffman);  // once a crash in stb
    Bytes jpeg_undefined_table = jpeg;
    jpeg_undefined_table[scan + 6] =
        0x33;  // the first component's DC and AC tables: 3, never defined
    add("picture_jpeg_undefined_huffman_table.jpg", jpeg_undefined_table);  // once a crash in stb

    add("design_0_bytes.dat", {});
    add("design_619_bytes.dat", Bytes(619, 0x11));
    add("design_621_bytes.dat", Bytes(621, 0x22));
    add("design_1_MB.dat", Bytes(size_t{1} << 20, 0x33));

    add("shot_401x240_24bit.bmp",
        build_bmp_file(fields_for(pattern(401, 240, 0x1000000), 24, false)));
    add("shot_400x241_24bit.bmp",
        build_bmp_file(fields_for(pattern(400, 241, 0x1000000), 24, true)));
    BmpFileFields shot8 = fields_for(pattern(200, 120, 256), 8, false);
    shot8.palette = good(8).palette;
    add("shot_200x120_8bit.bmp", build_bmp_file(shot8));
    add("shot_800x480_32bit.bmp",
        build_bmp_file(fields_for(pattern(800, 480, 0x1000000), 32, false)));
    return files;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bad_inputs FOLDER\n");
        return 2;
    }
    std::string folder_name = argv[1];
#ifdef _WIN32
    if (folder_name.rfind('/', 0) == 0) {
        folder_name = "Z:" + folder_name;  // a Unix path, under Wine
    }
#endif
    const fs::path folder = folder_name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (const auto& [name, bytes] : catalogue()) {
        std::ofstream out(folder / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
