// Seed pictures for scan_fuzzer, in its input format: a design code at one
// and at two pixels a module, one with a third of its pixels flipped, and two
// codes side by side. Writes them into the folder named by argv[1].
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "encoder.h"
#include "symbol_buffers.h"

namespace {

constexpr int kQuiet = 4;

struct Seed {
    int width, height;
    std::vector<uint8_t> grey;
};

void draw_code(Seed& s, uint8_t fill, int left, int top, int scale) {
    uint8_t record[kQrPayloadLength];
    for (int k = 0; k < kQrPayloadLength; ++k)
        record[k] = static_cast<uint8_t>(k * 7 + fill);
    encode_qr(record);
    for (int y = 0; y < kQrSide * scale; ++y)
        for (int x = 0; x < kQrSide * scale; ++x)
            if (module_matrix[(y / scale) * kQrSide + x / scale])
                s.grey[(top + y) * s.width + left + x] = 0;
}

Seed blank(int width, int height) {
    return {width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height, 0xFF)};
}

void write(const std::filesystem::path& dir, const std::string& name, const Seed& s) {
    std::ofstream out(dir / name, std::ios::binary);
    const uint8_t header[4] = {uint8_t((s.width - 1) & 0xFF), uint8_t((s.width - 1) >> 8),
                               uint8_t((s.height - 1) & 0xFF), uint8_t((s.height - 1) >> 8)};
    out.write(reinterpret_cast<const char*>(header), 4);
    out.write(reinterpret_cast<const char*>(s.grey.data()),
              static_cast<std::streamsize>(s.grey.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const int one = kQrSide + 2 * kQuiet;
    Seed a = blank(one, one);
    draw_code(a, 1, kQuiet, kQuiet, 1);
    write(dir, "one-pixel", a);
    Seed b = blank(2 * one, 2 * one);
    draw_code(b, 2, 2 * kQuiet, 2 * kQuiet, 2);
    write(dir, "two-pixels", b);
    Seed c = a;
    for (size_t k = 0; k < c.grey.size(); k += 3)
        c.grey[k] ^= 0xFF;
    write(dir, "damaged", c);
    Seed d = blank(2 * one, one);
    draw_code(d, 3, kQuiet, kQuiet, 1);
    draw_code(d, 4, one + kQuiet, kQuiet, 1);
    write(dir, "two-codes", d);
    return 0;
}
