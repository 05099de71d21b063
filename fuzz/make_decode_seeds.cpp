// Writes the decode fuzzer's seed screenshots into the directory given as the
// only argument (created if missing): clean symbols and symbols damaged within the correction
// capacity, so that mutations start from pictures that decode.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "encoder.h"
#include "matrix_layout.h"
#include "screenshot_drawing.h"
#include "test_records.h"

namespace {

bool write_seed(const std::string& directory, const std::string& name, const Screenshot& picture) {
    const std::string path = directory + "/" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(picture.data(), 1, picture.size(), file) == picture.size();
    return std::fclose(file) == 0 && written;
}

// Flips `count` random modules among the data cells and one format bit.
void damage(int count, std::mt19937& rng) {
    const uint16_t* cells = data_module_order();
    for (int i = 0; i < count; ++i)
        module_matrix[cells[rng() % kQrDataModules]] ^= 1;
    const ModulePosition p = kFormatCopy1[rng() % 15];
    module_matrix[p.row * kQrSide + p.column] ^= 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus-directory\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    std::mt19937 rng(1);
    bool ok = !error;
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        const TestRecord record = random_record(seed);
        encode_qr(record.data());
        ok &= write_seed(argv[1], "clean-" + std::to_string(seed), screenshot_of_module_matrix());
        damage(40 * static_cast<int>(seed), rng);
        ok &= write_seed(argv[1], "damaged-" + std::to_string(seed), screenshot_of_module_matrix());
    }
    return ok ? 0 : 1;
}
