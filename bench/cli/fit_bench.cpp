// Opening and fitting a 4000 x 3000 JPEG photograph-sized picture of noise (the
// worst case for the decoder), whole as `brevane-cli record --fit` runs it and
// split into its decoding and its fitting.
#include <benchmark/benchmark.h>
#include <stb_image_write.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "file_io.h"
#include "picture_files.h"
#include "picture_fit.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kJpegQuality = 90;

void append_bytes(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(context);
    const auto* from = static_cast<const uint8_t*>(data);
    bytes->insert(bytes->end(), from, from + size);
}

// Writes the picture once per run of the program and returns its path.
fs::path noise_jpeg() {
    const fs::path path = fs::temp_directory_path() / "brevane-fit-bench.jpg";
    if (fs::exists(path)) {
        return path;
    }
    std::mt19937 rng(4000);
    std::vector<uint8_t> rgb(static_cast<size_t>(kWidth) * kHeight * 3);
    for (auto& byte : rgb)
        byte = static_cast<uint8_t>(rng() >> 24);
    std::vector<uint8_t> jpeg;
    stbi_write_jpg_to_func(append_bytes, &jpeg, kWidth, kHeight, 3, rgb.data(), kJpegQuality);
    write_file_atomically(path, jpeg);
    return path;
}

void BM_RecordFitWhole(benchmark::State& state) {
    const fs::path image = noise_jpeg();
    const fs::path out = fs::temp_directory_path() / "brevane-fit-bench.dat";
    const Arguments arguments =
        parse_arguments({"record", image.string(), "0", "0", "--fit", "4x3", "-o", out.string()});
    for (auto _ : state)
        run_command(arguments);
    fs::remove(out);
}
BENCHMARK(BM_RecordFitWhole)->Unit(benchmark::kMillisecond);

void BM_DecodeOnly(benchmark::State& state) {
    const fs::path image = noise_jpeg();
    for (auto _ : state)
        benchmark::DoNotOptimize(load_picture(image));
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMillisecond);

void BM_FitOnly(benchmark::State& state) {
    const Picture picture = load_picture(noise_jpeg());
    const DesignGrid grid = offered_fit_grid(picture.width, picture.height);
    for (auto _ : state) {
        Picture fitted;
        std::string error;
        fit_picture(picture, grid, &fitted, &error);
        benchmark::DoNotOptimize(fitted);
    }
}
BENCHMARK(BM_FitOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
