// Our symbols read back byte-exact by two independent decoders.
#include <gtest/gtest.h>

#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "encoder.h"
#include "symbol_buffers.h"
#include "test_records.h"

namespace {

constexpr int kScale = 4;
constexpr int kQuietZone = 4;
constexpr int kImageSide = (kQrSide + 2 * kQuietZone) * kScale;

// The module matrix as an 8-bit grey picture with a white quiet zone.
std::vector<uint8_t> render_symbol() {
    std::vector<uint8_t> grey(kImageSide * kImageSide, 255);
    for (int y = 0; y < kImageSide; ++y) {
        for (int x = 0; x < kImageSide; ++x) {
            const int row = y / kScale - kQuietZone;
            const int column = x / kScale - kQuietZone;
            if (row < 0 || column < 0 || row >= kQrSide || column >= kQrSide) continue;
            if (module_matrix[row * kQrSide + column] & 1) grey[y * kImageSide + x] = 0;
        }
    }
    return grey;
}

std::string write_pgm(const std::vector<uint8_t>& grey, const std::string& name) {
    const std::string path = testing::TempDir() + name;
    std::ofstream out(path, std::ios::binary);
    out << "P5\n" << kImageSide << ' ' << kImageSide << "\n255\n";
    out.write(reinterpret_cast<const char*>(grey.data()), static_cast<std::streamsize>(grey.size()));
    return path;
}

std::vector<uint8_t> read_with_zbar(const std::string& path) {
    const std::string command = "zbarimg --nodbus --raw -q -Sbinary '" + path + "'";
    std::vector<uint8_t> bytes;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(pipe)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    pclose(pipe);
    return bytes;
}

}  // namespace

TEST(ReaderOracle, ZxingReadsTheExactBytes) {
    for (uint32_t seed : {0u, 1u, 2u, 3u, 4u}) {
        const TestRecord record = seed == 0 ? counting_record() : random_record(seed);
        ASSERT_EQ(encode_qr(record.data()), 0);
        const std::vector<uint8_t> grey = render_symbol();
        ZXing::DecodeHints hints;
        hints.setFormats(ZXing::BarcodeFormat::QRCode);
        const ZXing::Result result = ZXing::ReadBarcode(
            ZXing::ImageView(grey.data(), kImageSide, kImageSide, ZXing::ImageFormat::Lum), hints);
        ASSERT_TRUE(result.isValid()) << "seed " << seed;
        const auto& bytes = result.bytes();
        ASSERT_EQ(bytes.size(), record.size());
        EXPECT_TRUE(std::equal(record.begin(), record.end(), bytes.begin())) << "seed " << seed;
    }
}

TEST(ReaderOracle, ZbarReadsTheExactBytes) {
    for (uint32_t seed : {0u, 5u, 6u}) {
        const TestRecord record = seed == 0 ? counting_record() : random_record(seed);
        ASSERT_EQ(encode_qr(record.data()), 0);
        const std::string path = write_pgm(render_symbol(), "symbol-" + std::to_string(seed) + ".pgm");
        std::vector<uint8_t> bytes = read_with_zbar(path);
        // zbar ends its output with a newline of its own.
        ASSERT_GE(bytes.size(), record.size()) << "zbar read nothing from " << path;
        bytes.resize(record.size());
        EXPECT_TRUE(std::equal(record.begin(), record.end(), bytes.begin())) << "seed " << seed;
        std::remove(path.c_str());
    }
}
