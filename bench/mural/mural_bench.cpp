// The dither across designs on its worst case: every design of 1024 different
// colours (each design its own), the grid's records computed once per iteration.
// Reports the peak memory of the process. Each grid runs with and without the
// full designs taking their neighbours' colours, to be read side by side.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <thread>

#include "across_designs_dither.h"
#include "tile_families.h"

namespace {

constexpr uint32_t kWorstCaseSeed = 7;
constexpr double kBytesPerKilobyte = 1024.0;  // ru_maxrss counts kibibytes
constexpr double kBytesPerMegabyte = 1e6;

void worst_case_tile(int column, int row, Rgb* tile) {
    make_family_tile(TileFamily::distinct_1024,
                     kWorstCaseSeed + static_cast<uint32_t>(row * kMaxGridSide + column), tile);
}

// Arguments: columns, rows, threads (0: every core), whether full designs take
// their neighbours' colours (1) or keep their own (0).
void BM_DitherAcrossDesignsWorstCase(benchmark::State& state) {
    const DesignGrid grid{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const int threads = state.range(2) > 0
                            ? static_cast<int>(state.range(2))
                            : static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
    const bool neighbours_colours = state.range(3) != 0;
    for (auto _ : state) {
        const std::vector<RecordBytes> records = dither_across_designs(
            grid, worst_case_tile, MuralOptions{kMaxDitherStrength, threads, neighbours_colours});
        benchmark::DoNotOptimize(records.data());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] =
        static_cast<double>(usage.ru_maxrss) * kBytesPerKilobyte / kBytesPerMegabyte;
    state.counters["threads"] = threads;
    state.SetLabel(std::to_string(grid.columns * grid.rows) + " designs" +
                   (neighbours_colours ? "" : ", own colours only"));
}
BENCHMARK(BM_DitherAcrossDesignsWorstCase)
    ->Args({8, 5, 1, 0})
    ->Args({8, 5, 1, 1})
    ->Args({40, 40, 1, 0})
    ->Args({40, 40, 1, 1})
    ->Args({40, 40, 0, 1})
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
