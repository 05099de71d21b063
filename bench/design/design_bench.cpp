// Design conversion timings: the merge quantiser on its worst case (1024
// distinct colours, 1009 merge passes), production against the exhaustive
// closest-pair scan, and every design of a 320 x 320 noise picture. The
// perceptual reductions run beside the whole merge conversion on the same
// worst-case tile: quality is to take at most 4 times its time, dither 15.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "design_conversion.h"
#include "design_record.h"
#include "exhaustive_merge.h"
#include "merge_quantizer.h"
#include "picture.h"
#include "tile_families.h"

namespace {

constexpr uint32_t kWorstCaseSeed = 7;

Rgb worst_case_tile[kTilePixels];
ColourTable production_table;
ExhaustiveColourTable exhaustive_table;

void BM_MergeWorstCaseProduction(benchmark::State& state) {
    make_family_tile(TileFamily::distinct_1024, kWorstCaseSeed, worst_case_tile);
    for (auto _ : state) {
        merge_tile_colours(worst_case_tile, &production_table);
        benchmark::DoNotOptimize(production_table.red[0]);
    }
}
BENCHMARK(BM_MergeWorstCaseProduction)->Unit(benchmark::kMillisecond);

void BM_MergeWorstCaseExhaustive(benchmark::State& state) {
    make_family_tile(TileFamily::distinct_1024, kWorstCaseSeed, worst_case_tile);
    for (auto _ : state) {
        merge_tile_colours_exhaustively(worst_case_tile, &exhaustive_table);
        benchmark::DoNotOptimize(exhaustive_table.colour[0]);
    }
}
BENCHMARK(BM_MergeWorstCaseExhaustive)->Unit(benchmark::kMillisecond);

// One conversion of the worst-case tile to a record, with each reduction.
void BM_ConvertWorstCase(benchmark::State& state) {
    make_family_tile(TileFamily::distinct_1024, kWorstCaseSeed, worst_case_tile);
    const Reduction reduction{static_cast<ReductionKind>(state.range(0))};
    auto workspace = std::make_unique<ConversionWorkspace>();
    uint8_t record[kDesignRecordSize];
    for (auto _ : state) {
        convert_tile_to_record(worst_case_tile, reduction, workspace.get(), record);
        benchmark::DoNotOptimize(record[kPixelDataOffset]);
    }
    static constexpr const char* kNames[] = {"merge", "median cut", "quality", "dither 100"};
    state.SetLabel(kNames[state.range(0)]);
}
BENCHMARK(BM_ConvertWorstCase)
    ->Arg(static_cast<int>(ReductionKind::merge))
    ->Arg(static_cast<int>(ReductionKind::quality))
    ->Arg(static_cast<int>(ReductionKind::dither))
    ->Unit(benchmark::kMillisecond);

// A 320 x 320 picture of uniform noise: 10 x 10 designs, each of ~1024 colours.
void BM_ConvertNoisePicture(benchmark::State& state) {
    constexpr int kSide = 320;
    Picture noise{kSide, kSide, std::vector<uint8_t>(3 * kSide * kSide)};
    std::mt19937 random(11);
    for (uint8_t& byte : noise.rgb) {
        byte = static_cast<uint8_t>(random() >> 24);
    }
    const ReductionKind quantizer = state.range(0) == 0 ? ReductionKind::merge : ReductionKind::median_cut;
    Rgb tile[kTilePixels];
    uint8_t record[kDesignRecordSize];
    for (auto _ : state) {
        for (int row = 0; row < kSide / kTileSide; ++row) {
            for (int column = 0; column < kSide / kTileSide; ++column) {
                read_picture_tile(noise, column, row, tile);
                convert_tile_to_record(tile, quantizer, record);
                benchmark::DoNotOptimize(record[kPixelDataOffset]);
            }
        }
    }
    state.SetLabel(quantizer == ReductionKind::merge ? "merge, 100 designs"
                                                 : "median cut, 100 designs");
}
BENCHMARK(BM_ConvertNoisePicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
