// The scanner and zxing-cpp (QR only, trying harder and rotated) over the same
// generated pictures, and over a 4000 x 4000 picture of noise, ours on 1, 2
// and 4 threads. Each set benchmark reports its total per pass and the median
// picture's time. Beside them: a 5 x 8 sheet against a page of one code of the
// same size and one code alone, and the longest gap between progress calls on
// large pictures.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>

#include "design_scanner.h"
#include "other_readers.h"
#include "qr_profile.h"
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

Picture noise_of(int width, int height) {
    Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    std::mt19937 rng(7);
    for (uint8_t& v : p.rgb)
        v = static_cast<uint8_t>(rng() >> 24);
    return p;
}

const Picture& noise_picture() {
    static const Picture noise = noise_of(kNoiseSide, kNoiseSide);
    return noise;
}

const Picture& sheet_picture() {
    static const Picture sheet =
        decoded_picture(test_picture(PictureCategory::clean, 0, PictureCondition::sheet_5x8_2px));
    return sheet;
}

// The sheet's first code: alone with its quiet zone, or on a white page of the sheet's size.
Picture one_code(bool on_page) {
    const Picture& sheet = sheet_picture();
    const int side = (kQrSide + 8) * 2;
    const int width = on_page ? sheet.width : side, height = on_page ? sheet.height : side;
    Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3, 255)};
    for (int y = 0; y < side; ++y)
        std::copy_n(sheet.rgb.begin() + static_cast<size_t>(y) * sheet.width * 3, side * 3,
                    p.rgb.begin() + static_cast<size_t>(y) * width * 3);
    return p;
}

ScanWorkspace& workspace() {
    static ScanWorkspace kept;
    return kept;
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
    return scan_designs(p, workspace(), {1}).designs.size();
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
    const ScanOptions options{static_cast<int>(state.range(0))};
    // Made, and the kept workspace grown to its size, before the clock runs.
    const Picture& noise = noise_picture();
    scan_designs(noise, workspace(), options);
    for (auto _ : state)
        benchmark::DoNotOptimize(scan_designs(noise, workspace(), options));
}
void BM_NoiseZxing(benchmark::State& state) {
    const Picture& noise = noise_picture();
    for (auto _ : state)
        benchmark::DoNotOptimize(zxing(noise));
}

BENCHMARK(BM_SetOurs)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SetZxing)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_NoiseOurs)->Unit(benchmark::kMillisecond)->Iterations(2)->Arg(1)->Arg(2)->Arg(4);
BENCHMARK(BM_NoiseZxing)->Unit(benchmark::kMillisecond)->Iterations(2);

// The sheet should cost little more than its page with one code plus forty codes alone.
void BM_Sheet(benchmark::State& state) {
    const Picture& sheet = sheet_picture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ours(sheet));
}
void BM_OneCodeOnSheetPage(benchmark::State& state) {
    const Picture p = one_code(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(ours(p));
}
void BM_OneCodeAlone(benchmark::State& state) {
    const Picture p = one_code(false);
    for (auto _ : state)
        benchmark::DoNotOptimize(ours(p));
}
BENCHMARK(BM_Sheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneCodeOnSheetPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OneCodeAlone)->Unit(benchmark::kMillisecond);

// The scanning thread's own time: on a shared machine the wall clock also
// counts the time other processes hold the core.
double thread_ms() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The longest wait for the progress callback, and the first, on noise of the
// given size, by the wall clock and by the thread's own time.
void BM_ProgressGaps(benchmark::State& state) {
    const Picture p = noise_of(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    double longest = 0, first = 0, longest_own = 0;
    for (auto _ : state) {
        auto last = std::chrono::steady_clock::now();
        double last_own = thread_ms();
        bool first_call = true;
        auto gap = [&] {
            const auto now = std::chrono::steady_clock::now();
            const double wall = std::chrono::duration<double, std::milli>(now - last).count();
            if (first_call)
                first = std::max(first, wall), first_call = false;
            longest = std::max(longest, wall);
            longest_own = std::max(longest_own, thread_ms() - last_own);
            last = now;
            last_own = thread_ms();
            return true;
        };
        scan_designs(p, workspace(), {1}, gap);
        gap();
    }
    state.counters["longest_gap_ms"] = longest;
    state.counters["longest_own_gap_ms"] = longest_own;
    state.counters["first_call_ms"] = first;
}
BENCHMARK(BM_ProgressGaps)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Args({4000, 4000})
    ->Args({8000, 8000})
    ->Args({16384, 8192});

}  // namespace
