// Writes one small valid BMP file per supported layout into the directory given,
// as seeds for bmp_reader_fuzzer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bmp_file_builder.h"

namespace {

using Rows = std::vector<std::vector<uint32_t>>;

Rows pattern(int width, int height, uint32_t modulus, uint32_t step) {
    Rows rows(static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            rows[static_cast<size_t>(y)].push_back((static_cast<uint32_t>(x * 7 + y * 13) * step) %
                                                   modulus);
        }
    }
    return rows;
}

std::vector<uint32_t> grey_palette(int entries) {
    std::vector<uint32_t> palette;
    for (int e = 0; e < entries; ++e) {
        palette.push_back(static_cast<uint32_t>(e * 255 / (entries - 1)) * 0x010101);
    }
    return palette;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bmp_seeds DIRECTORY\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    std::vector<std::pair<std::string, BmpFileFields>> seeds;

    seeds.emplace_back("rgb24_bottom_up",
                       fields_for(pattern(7, 5, 0x1000000, 0x0B0705), 24, false));
    seeds.emplace_back("rgb24_top_down", fields_for(pattern(6, 4, 0x1000000, 0x030507), 24, true));
    for (int bits : {1, 4, 8}) {
        BmpFileFields s = fields_for(pattern(9, 3, 1u << bits, 1), bits, bits == 4);
        s.palette = grey_palette(1 << bits);
        seeds.emplace_back("palette" + std::to_string(bits), s);
    }
    BmpFileFields core = fields_for(pattern(5, 3, 16, 3), 4, false);
    core.header_size = 12;
    core.palette = grey_palette(16);
    seeds.emplace_back("core4", core);

    seeds.emplace_back("rgb555", fields_for(pattern(5, 4, 0x8000, 0x0421), 16, false));
    BmpFileFields rgb565 = fields_for(pattern(5, 4, 0x10000, 0x0841), 16, true);
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    seeds.emplace_back("rgb565", rgb565);
    seeds.emplace_back("rgb32", fields_for(pattern(4, 3, 0x1000000, 0x010203), 32, false));
    BmpFileFields v5 = fields_for(pattern(4, 3, 0x40000000, 0x00100401), 32, false);
    v5.header_size = 124;
    v5.compression = 3;
    v5.masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0};
    seeds.emplace_back("rgb32_v5_bitfields", v5);

    for (const auto& [name, s] : seeds) {
        const std::vector<uint8_t> bytes = build_bmp_file(s);
        std::ofstream out(dir / (name + ".bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", name.c_str());
            return 1;
        }
    }
    return 0;
}
