#include "symbol_sampler.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "format_info_reader.h"
#include "matrix_layout.h"

namespace {

// Each module's threshold in ModuleThreshold::symbol: the mean over the
// modules at most this far away in either direction.
constexpr int kSymbolWindowModules = 7;
// The timing patterns run along row and column 6 between the separators.
constexpr int kTimingTrack = 6;
constexpr int kTimingFirst = 8;
constexpr int kTimingLast = kQrSide - 9;
// Of the 2 x 77 timing modules, at least this share must read right.
constexpr double kMinTimingAgreement = 0.7;
// Of the first modules of each timing pattern, at most this many may read wrong.
constexpr int kQuickLookModules = 8;
constexpr int kQuickLookWrong = 4;

constexpr int kFormatBits = 15;

// Version information: 6 version bits and 12 BCH bits.
constexpr int kVersionBits = 18;
constexpr int kFirstVersionWithInformation = 7;
constexpr int kLastVersion = 40;
constexpr unsigned kVersionBchGenerator = 0x1F25;
constexpr int kVersionMaxDistance = 3;

constexpr uint32_t version_word(int version) {
    unsigned remainder = static_cast<unsigned>(version) << 12;
    for (int bit = 17; bit >= 12; --bit)
        if (remainder & (1u << bit))
            remainder ^= kVersionBchGenerator << (bit - 12);
    return static_cast<uint32_t>(version) << 12 | remainder;
}
static_assert(version_word(kQrVersion) == kVersionWord);

// The nearest version to an 18-bit block, or 0 when none lies within reach.
int nearest_version(uint32_t block) {
    for (int version = kFirstVersionWithInformation; version <= kLastVersion; ++version)
        if (std::popcount(block ^ version_word(version)) <= kVersionMaxDistance)
            return version;
    return 0;
}

uint8_t cell_at(const SampledCells& cells, int row, int col) {
    return cells[row * kQrSide + col] & kCellDark;
}

}  // namespace

void sample_greys(const ScanPicture& picture, const SymbolGrid& grid, LocalThreshold kind,
                  SampledGreys& greys) {
    std::array<PicturePoint, kQrSide> centres;
    for (int row = 0; row < kQrSide; ++row) {
        grid.row_centres(row, centres);
        for (int col = 0; col < kQrSide; ++col) {
            const PicturePoint p = centres[col];
            greys.grey[row * kQrSide + col] = static_cast<float>(picture.grey_at(p.x, p.y));
            greys.picture_threshold[row * kQrSide + col] =
                static_cast<uint8_t>(picture.threshold_at(p.x, p.y, kind));
        }
    }
}

void threshold_cells(const SampledGreys& greys, ModuleThreshold threshold, SampledCells& cells) {
    const auto& grey = greys.grey;
    if (threshold == ModuleThreshold::picture) {
        for (int k = 0; k < kQrCells; ++k)
            cells[k] = grey[k] < greys.picture_threshold[k] ? kCellDark : kCellLight;
        return;
    }
    constexpr int kStride = kQrSide + 1;
    std::array<double, kStride * kStride> sums{};
    for (int row = 0; row < kQrSide; ++row)
        for (int col = 0; col < kQrSide; ++col)
            sums[(row + 1) * kStride + col + 1] =
                grey[row * kQrSide + col] + sums[row * kStride + col + 1] +
                sums[(row + 1) * kStride + col] - sums[row * kStride + col];
    for (int row = 0; row < kQrSide; ++row) {
        const int r0 = std::max(0, row - kSymbolWindowModules);
        const int r1 = std::min(kQrSide, row + kSymbolWindowModules + 1);
        for (int col = 0; col < kQrSide; ++col) {
            const int c0 = std::max(0, col - kSymbolWindowModules);
            const int c1 = std::min(kQrSide, col + kSymbolWindowModules + 1);
            const double sum = sums[r1 * kStride + c1] - sums[r0 * kStride + c1] -
                               sums[r1 * kStride + c0] + sums[r0 * kStride + c0];
            const double mean = sum / ((r1 - r0) * (c1 - c0));
            cells[row * kQrSide + col] = grey[row * kQrSide + col] < mean ? kCellDark : kCellLight;
        }
    }
}

bool timing_patterns_agree(const ScanPicture& picture, const SymbolGrid& grid, bool light,
                           LocalThreshold kind) {
    int right = 0;
    for (int k = kTimingFirst; k <= kTimingLast; ++k) {
        const bool dark = (k % 2 == 0) != light;
        const PicturePoint along_row = grid({k + 0.5, kTimingTrack + 0.5});
        const PicturePoint along_col = grid({kTimingTrack + 0.5, k + 0.5});
        right += (picture.grey_at(along_row.x, along_row.y) <
                  picture.threshold_at(along_row.x, along_row.y, kind)) == dark;
        right += (picture.grey_at(along_col.x, along_col.y) <
                  picture.threshold_at(along_col.x, along_col.y, kind)) == dark;
    }
    return right >= kMinTimingAgreement * 2 * (kTimingLast - kTimingFirst + 1);
}

bool timing_patterns_shown(const ScanPicture& picture, const ProjectiveMap& map, bool light) {
    constexpr int kTimingModules = 2 * (kTimingLast - kTimingFirst + 1);
    const int allowed_wrong =
        kTimingModules - static_cast<int>(std::ceil(kMinTimingAgreement * kTimingModules));
    auto dark_at = [&](PicturePoint p) {
        const int x = static_cast<int>(std::floor(p.x)), y = static_cast<int>(std::floor(p.y));
        return x >= 0 && y >= 0 && x < picture.width() && y < picture.height() &&
               picture.dark(x, y);
    };
    // The first modules beside the top-left finder, where the map is surest,
    // leave most chance triples after a few looks.
    int wrong = 0;
    for (int k = kTimingFirst; k <= kTimingLast; ++k) {
        const bool dark = (k % 2 == 0) != light;
        wrong += dark_at(map({k + 0.5, kTimingTrack + 0.5})) != dark;
        wrong += dark_at(map({kTimingTrack + 0.5, k + 0.5})) != dark;
        if (wrong > allowed_wrong ||
            (k < kTimingFirst + kQuickLookModules && wrong > kQuickLookWrong))
            return false;
    }
    return true;
}

bool format_copies_agree(const SampledCells& cells) {
    auto copy = [&](const ModulePosition* positions) {
        unsigned word = 0;
        for (int i = 0; i < kFormatBits; ++i)
            word |=
                static_cast<unsigned>(cell_at(cells, positions[i].row, positions[i].column) != 0)
                << i;
        return static_cast<uint16_t>(word);
    };
    const uint16_t first = copy(kFormatCopy1), second = copy(kFormatCopy2);
    const int data = nearest_format_data(first, first);
    return data >= 0 && data == nearest_format_data(second, second);
}

namespace {

// The versions the two version-information blocks read as, 0 for neither.
std::array<int, 2> version_blocks(const SampledCells& cells) {
    uint32_t top_right = 0, bottom_left = 0;
    for (int i = 0; i < kVersionBits; ++i) {
        top_right |= static_cast<uint32_t>(cell_at(cells, i / 3, kQrSide - 11 + i % 3)) << i;
        bottom_left |= static_cast<uint32_t>(cell_at(cells, kQrSide - 11 + i % 3, i / 3)) << i;
    }
    return {nearest_version(top_right), nearest_version(bottom_left)};
}

}  // namespace

bool could_be_version_19(const SampledCells& cells) {
    int right = 0;
    for (int k = kTimingFirst; k <= kTimingLast; ++k) {
        const uint8_t expected = k % 2 == 0 ? kCellDark : kCellLight;
        right += cell_at(cells, kTimingTrack, k) == expected;
        right += cell_at(cells, k, kTimingTrack) == expected;
    }
    if (right < kMinTimingAgreement * 2 * (kTimingLast - kTimingFirst + 1))
        return false;
    const auto [a, b] = version_blocks(cells);
    // A block read as version 19 settles it; otherwise neither may read as another.
    if (a == kQrVersion || b == kQrVersion)
        return true;
    return a == 0 && b == 0;
}

bool version_19_shown(const SampledCells& cells) {
    const auto [a, b] = version_blocks(cells);
    return a == kQrVersion || b == kQrVersion;
}
