// The scanner and zxing-cpp (QR only, trying harder and rotated) over the same
// generated pictures, and over a 4000 x 4000 picture of noise. Each set
// benchmark reports its total per pass and the median picture's time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

#include "design_scanner.h"
#include "other_readers.h"
#include "scan_outcome.h"

namespace {

constexpr int kPicturesPerCategory = 20;
constexpr int kNoiseSide = 4000;

const std::vector<Picture>& picture_set() {
    static const std::vector<Picture> set = [] {
        std::vector<Picture> pictures;
        for (PictureCategory category : kPictureCategories)
            for (int index = 0; index < kPicturesPerCategory; ++index)
                pictures.push_back(decoded_picture(test_picture(category, index)));
        return pictures;
    }();
    return set;
}

const Picture& noise_picture() {
    static const Picture noise = [] {
        Picture p{kNoiseSide, kNoiseSide,
                  std::vector<uint8_t>(static_cast<size_t>(kNoiseSide) * kNoiseSide * 3)};
        std::mt19937 rng(7);
        for (uint8_t& v : p.rgb)
            v = static_cast<uint8_t>(rng() >> 24);
        return p;
    }();
    return noise;
}

void time_set(benchmark::State& state, const std::function<size_t(const Picture&)>& read) {
    const auto& pictures = picture_set();
    std::vector<double> seconds;
    for (auto _ : state) {
        for (const Picture& p : pictures) {
            const auto start = std::chrono::steady_clock::now();
            benchmark::DoNotOptimize(read(p));
            seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
    }
    std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
    state.counters["median_ms"] = seconds[seconds.size() / 2] * 1000;
    state.counters["pictures"] = static_cast<double>(pictures.size());
}

size_t ours(const Picture& p) {
    return scan_designs(p).designs.size();
}
size_t zxing(const Picture& p) {
    return zxing_records(p).size();
}

void BM_SetOurs(benchmark::State& state) {
    time_set(state, ours);
}
void BM_SetZxing(benchmark::State& state) {
    time_set(state, zxing);
}
void BM_NoiseOurs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ours(noise_picture()));
}
void BM_NoiseZxing(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(zxing(noise_picture()));
}

BENCHMARK(BM_SetOurs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SetZxing)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_NoiseOurs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_NoiseZxing)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
