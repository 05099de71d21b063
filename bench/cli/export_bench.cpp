// Exporting a 320 x 320 picture of noise (100 designs, every tile 1024 distinct
// colours), whole and split into its conversion and its file writing.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "arguments.h"
#include "bmp_writer.h"
#include "commands.h"
#include "design_renderings.h"
#include "picture_designs.h"

namespace fs = std::filesystem;

namespace {

constexpr int kSide = 320;

// Every 32 x 32 tile gets 1024 distinct colours: a shuffled counter per tile.
Picture noise_picture() {
    std::mt19937 rng(320);
    Picture picture;
    picture.width = picture.height = kSide;
    picture.rgb.resize(kSide * kSide * 3);
    for (int ty = 0; ty < kSide / 32; ++ty) {
        for (int tx = 0; tx < kSide / 32; ++tx) {
            std::vector<uint32_t> colours(1024);
            for (uint32_t i = 0; i < 1024; ++i)
                colours[i] = (rng() & 0xFFFC00u) | i;
            std::shuffle(colours.begin(), colours.end(), rng);
            for (int i = 0; i < 1024; ++i) {
                const size_t p = ((ty * 32 + i / 32) * kSide + tx * 32 + i % 32) * 3;
                picture.rgb[p] = static_cast<uint8_t>(colours[i] >> 16);
                picture.rgb[p + 1] = static_cast<uint8_t>(colours[i] >> 8);
                picture.rgb[p + 2] = static_cast<uint8_t>(colours[i]);
            }
        }
    }
    return picture;
}

void BM_ExportWhole(benchmark::State& state) {
    const fs::path dir = fs::temp_directory_path() / "brevane-export-bench";
    fs::create_directories(dir);
    const fs::path image = dir / "noise.bmp";
    const std::vector<uint8_t> bytes = encode_bmp24(noise_picture());
    std::ofstream(image, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const Arguments arguments =
        parse_arguments({"export", image.string(), "-o", (dir / "out").string()});
    for (auto _ : state)
        run_command(arguments);
    fs::remove_all(dir);
}
BENCHMARK(BM_ExportWhole)->Unit(benchmark::kMillisecond);

void BM_ExportConversionOnly(benchmark::State& state) {
    const PictureDesigns designs = cut_into_designs(noise_picture(), "noise");
    for (auto _ : state) {
        for (int row = 0; row < designs.grid.rows; ++row) {
            for (int column = 0; column < designs.grid.columns; ++column) {
                benchmark::DoNotOptimize(convert_design(designs, column, row, ReductionKind::merge));
            }
        }
    }
}
BENCHMARK(BM_ExportConversionOnly)->Unit(benchmark::kMillisecond);

void BM_ExportImagesOnly(benchmark::State& state) {
    const PictureDesigns designs = cut_into_designs(noise_picture(), "noise");
    const RecordBytes record = convert_design(designs, 0, 0, ReductionKind::merge);
    for (auto _ : state) {
        for (int design = 0; design < 100; ++design) {
            benchmark::DoNotOptimize(render_qr(record, kDefaultQrScale, kDefaultQrBorder));
            benchmark::DoNotOptimize(render_preview(record, kDefaultPreviewScale));
        }
    }
}
BENCHMARK(BM_ExportImagesOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
