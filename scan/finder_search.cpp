#include "finder_search.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>

namespace {

// Runs across a finder: outer dark, light, dark core, light, outer dark.
struct FinderRuns {
    int outer_before;
    int light_before;
    int core;
    int light_after;
    int outer_after;
};

constexpr int kFinderInnerModules = 5;  // light, 3 dark, light
constexpr int kCoreModules = 3;
// How far a run may stray from its share, in modules and in whole pixels: small
// symbols lose a pixel to blur or compression on any edge.
constexpr double kRunSlackModules = 0.5;
constexpr double kRunSlackPixels = 0.8;
constexpr double kMinOuterModules = 0.3;
constexpr int kMinCorePixels = 2;
constexpr double kMaxOuterModules = 2.2;
// The row and column estimates of one finder may differ this much under perspective.
constexpr double kAxisModuleRatio = 2.0;
// A walk along a column stops counting an outer run this many modules long.
constexpr double kWalkLimitModules = 4.0;
// Hits closer than this many modules belong to one candidate.
constexpr double kMergeModules = 2.0;
constexpr double kMergeSizeRatio = 1.6;
constexpr int kRetireEveryRows = 8;
// A finder's core is three modules high, and of small modules crosses three
// rows or more: one row alone is chance in noise and print.
constexpr int kMinRows = 2;
constexpr double kMinRowsBelowModule = 2.0;
// Candidates met by fewer rows must show the pattern along both diagonals too.
constexpr int kRowsWithoutDiagonals = 3;
// Pixels counted as visited for each closer look: a crossing of a row's
// pattern, a hit merged, a candidate's diagonals and core.
constexpr uint64_t kCrossingLooks = 16;
constexpr uint64_t kMergeLooks = 16;
constexpr uint64_t kCandidateLooks = 64;
constexpr size_t kHitsPerStep = 256;

std::optional<double> module_size_of(const FinderRuns& r) {
    // The core, three modules, is clearly longer than either light run, one
    // module, even when blur or perspective eat into it.
    if (r.core < kMinCorePixels || 2 * r.core < 3 * std::max(r.light_before, r.light_after))
        return std::nullopt;
    const double module = (r.light_before + r.core + r.light_after) / double(kFinderInnerModules);
    const double slack = kRunSlackModules * module + kRunSlackPixels;
    if (std::abs(r.light_before - module) > slack || std::abs(r.light_after - module) > slack)
        return std::nullopt;
    if (std::abs(r.core - kCoreModules * module) > 2 * slack)
        return std::nullopt;
    const double min_outer = std::max(1.0, kMinOuterModules * module);
    if (r.outer_before < min_outer || r.outer_after < min_outer)
        return std::nullopt;
    const double max_outer = kMaxOuterModules * module + kRunSlackPixels;
    if (r.outer_before > max_outer && r.outer_after > max_outer)
        return std::nullopt;
    return module;
}

// Runs through (x, y) along one axis: step (dx, dy). Returns the runs and the
// core's extent [first, last] along the axis, or nothing when the pattern is
// not there.
struct AxisCrossing {
    double centre;
    double module_size;
};

std::optional<AxisCrossing> cross_axis(const ScanPicture& p, int x, int y, int dx, int dy,
                                       double expected_module, bool light) {
    // The finder's own colour: dark, or light in a light-on-dark code.
    auto ink = [&](int px, int py) { return p.dark(px, py) != light; };
    const int limit = static_cast<int>(expected_module * kWalkLimitModules) + 3;
    auto inside = [&](int px, int py) {
        return px >= 0 && py >= 0 && px < p.width() && py < p.height();
    };
    auto walk = [&](int sign, int& core, int& gap, int& outer) {
        int px = x, py = y;
        core = gap = outer = 0;
        while (inside(px, py) && ink(px, py)) {
            ++core;
            px += sign * dx, py += sign * dy;
            if (core > 3 * limit)
                return false;
        }
        while (inside(px, py) && !ink(px, py)) {
            ++gap;
            px += sign * dx, py += sign * dy;
            if (gap > limit)
                return false;
        }
        while (inside(px, py) && ink(px, py) && outer < limit) {
            ++outer;
            px += sign * dx, py += sign * dy;
        }
        return true;
    };
    if (!ink(x, y))
        return std::nullopt;
    int core_back, light_back, outer_back, core_fwd, light_fwd, outer_fwd;
    if (!walk(-1, core_back, light_back, outer_back) || !walk(1, core_fwd, light_fwd, outer_fwd))
        return std::nullopt;
    const FinderRuns runs{outer_back, light_back, core_back + core_fwd - 1, light_fwd, outer_fwd};
    const auto module = module_size_of(runs);
    if (!module)
        return std::nullopt;
    const int position = dx != 0 ? x : y;
    const double first = position - (core_back - 1);
    return AxisCrossing{first + runs.core / 2.0, *module};
}

// The centroid of the dark core's pixels: under perspective more exact than
// the middle of the runs. Nothing when the core reaches beyond a window of a
// few modules, joined to other dark pixels.
constexpr double kCoreReachModules = 3.5;

std::optional<std::pair<double, double>> core_centroid(const ScanPicture& p, double x, double y,
                                                       double module, bool light,
                                                       std::vector<uint8_t>& seen) {
    auto ink = [&](int px, int py) { return p.dark(px, py) != light; };
    const int sx = static_cast<int>(x), sy = static_cast<int>(y);
    if (sx < 0 || sy < 0 || sx >= p.width() || sy >= p.height() || !ink(sx, sy))
        return std::nullopt;
    const int reach = static_cast<int>(kCoreReachModules * module) + 2;
    const int side = 2 * reach + 1;
    seen.assign(static_cast<size_t>(side) * side, 0);
    auto mark = [&](int px, int py) { seen[(py - sy + reach) * side + (px - sx + reach)] = 1; };
    auto marked = [&](int px, int py) {
        return seen[(py - sy + reach) * side + (px - sx + reach)] != 0;
    };
    std::vector<std::pair<int, int>> stack = {{sx, sy}};
    mark(sx, sy);
    double sum_x = 0, sum_y = 0;
    int count = 0;
    while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        sum_x += px + 0.5, sum_y += py + 0.5, ++count;
        const std::pair<int, int> next[4] = {
            {px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}};
        for (const auto& [nx, ny] : next) {
            if (nx < 0 || ny < 0 || nx >= p.width() || ny >= p.height() || !ink(nx, ny))
                continue;
            if (std::abs(nx - sx) > reach || std::abs(ny - sy) > reach)
                return std::nullopt;
            if (marked(nx, ny))
                continue;
            mark(nx, ny);
            stack.push_back({nx, ny});
        }
    }
    return std::pair{sum_x / count, sum_y / count};
}

// Gathers the hits of the rows into candidates. Hits are merged only with
// candidates some recent row has touched, looked up by the column band they lie in.
class CandidateCollector {
  public:
    explicit CandidateCollector(int width) : bands_(width / kBandWidth + 1) {}

    void add(const FinderHit& hit) {
        const double x = hit.x, y = hit.y, module = hit.module_size;
        const int row = hit.row;
        const int band = band_of(x);
        for (int b = std::max(0, band - 1); b <= std::min<int>(bands_.size() - 1, band + 1); ++b) {
            for (size_t k : bands_[b]) {
                Accumulated& a = all_[k];
                const double m = a.module_sum / a.hits;
                const double reach =
                    std::min<double>(kMergeModules * std::max(m, module) + 1, kBandWidth);
                if (std::abs(a.x_sum / a.hits - x) <= reach &&
                    std::abs(a.y_sum / a.hits - y) <= reach &&
                    std::max(m, module) <= kMergeSizeRatio * std::min(m, module)) {
                    a.x_sum += x, a.y_sum += y, a.module_sum += module, ++a.hits;
                    a.last_row = row;
                    return;
                }
            }
        }
        bands_[band].push_back(all_.size());
        all_.push_back({x, y, module, 1, row, hit.light});
    }

    // Forgets for merging every candidate no row has touched for a while.
    void retire_before(int row) {
        for (auto& band : bands_) {
            std::erase_if(band, [&](size_t k) {
                const Accumulated& a = all_[k];
                return a.last_row + kMergeModules * 2 * a.module_sum / a.hits + 2 < row;
            });
        }
    }

    // The candidates that stand up to a closer look, strongest first, each
    // centred on its core. Chance patterns in noise and text cross few rows
    // and rarely show the pattern along both diagonals, or have a core of
    // their own; a finder met by a few rows only, at a small size, must show both.
    void result(const ScanPicture& picture, ScanTicker& ticker,
                std::vector<FinderCandidate>& out) const {
        std::vector<uint8_t> seen;
        for (const Accumulated& a : all_) {
            if (!ticker.step(kCandidateLooks))
                return;
            FinderCandidate c{a.x_sum / a.hits, a.y_sum / a.hits, a.module_sum / a.hits, a.hits,
                              a.light};
            const int x = static_cast<int>(c.x), y = static_cast<int>(c.y);
            if (c.hits < kMinRows && c.module_size < kMinRowsBelowModule)
                continue;
            if (c.hits < kRowsWithoutDiagonals &&
                !(cross_axis(picture, x, y, 1, 1, c.module_size, c.light) &&
                  cross_axis(picture, x, y, 1, -1, c.module_size, c.light)))
                continue;
            const auto centre = core_centroid(picture, c.x, c.y, c.module_size, c.light, seen);
            if (!centre)
                continue;
            c.x = centre->first, c.y = centre->second;
            out.push_back(c);
        }
    }

  private:
    static constexpr int kBandWidth = 64;
    static int band_of(double x) { return std::max(0, static_cast<int>(x) / kBandWidth); }

    struct Accumulated {
        double x_sum, y_sum, module_sum;
        int hits;
        int last_row;
        bool light;
    };
    std::vector<Accumulated> all_;
    std::vector<std::vector<size_t>> bands_;
};

// Where each run of one row starts, alternating in colour, and after the last
// one the row's width; dark_first says the first run's colour. Eight pixels are
// compared with their left neighbours at once, and only words holding a change
// of colour are walked; there every pixel's start is written and only a change
// moves on, so that the loop does not branch on noise.
void runs_of_row(const uint8_t* row, int width, std::vector<int>& starts, bool& dark_first) {
    constexpr int kWord = sizeof(uint64_t);
    starts.resize(static_cast<size_t>(width) + 2);
    dark_first = row[0] != 0;
    int* out = starts.data();
    size_t n = 0;
    out[0] = 0;
    int x = 1;
    for (; x + kWord <= width; x += kWord) {
        uint64_t here, left;
        std::memcpy(&here, row + x, kWord);
        std::memcpy(&left, row + x - 1, kWord);
        if (here == left)
            continue;
        for (int i = x; i < x + kWord; ++i) {
            out[n + 1] = i;
            n += row[i] != row[i - 1];
        }
    }
    for (; x < width; ++x) {
        out[n + 1] = x;
        n += row[x] != row[x - 1];
    }
    out[n + 1] = width;
    starts.resize(n + 2);
}

}  // namespace

bool find_finder_hits(const ScanPicture& picture, int first_row, int end_row, bool light_on_dark,
                      const std::function<bool(uint64_t)>& step, std::vector<FinderHit>& hits) {
    const size_t core_step = light_on_dark ? 1 : 2;
    std::vector<int> starts;
    for (int y = first_row; y < end_row; ++y) {
        bool dark_first = false;
        runs_of_row(picture.dark_row(y), picture.width(), starts, dark_first);
        const size_t runs = starts.size() - 1;
        auto length = [&](size_t k) { return starts[k + 1] - starts[k]; };
        uint64_t looks = static_cast<uint64_t>(picture.width());
        // Dark runs have indices of dark_first's parity; a dark finder's core is
        // a dark run, a light-on-dark finder's a light one, in the same scan.
        // The core needs two runs each side.
        for (size_t k = light_on_dark || dark_first ? 2 : 3; k + 2 < runs; k += core_step) {
            // Most dark runs fail the first of module_size_of's checks: said here, cheaply.
            if (length(k) < kMinCorePixels ||
                2 * length(k) < 3 * std::max(length(k - 1), length(k + 1)))
                continue;
            const FinderRuns row_runs{length(k - 2), length(k - 1), length(k), length(k + 1),
                                      length(k + 2)};
            const auto row_module = module_size_of(row_runs);
            if (!row_module)
                continue;
            looks += kCrossingLooks;
            const bool light = (k % 2 == 0) != dark_first;
            const int cx = starts[k] + length(k) / 2;
            const auto column = cross_axis(picture, cx, y, 0, 1, *row_module, light);
            if (!column || column->module_size > kAxisModuleRatio * *row_module ||
                *row_module > kAxisModuleRatio * column->module_size)
                continue;
            const int cy = static_cast<int>(column->centre);
            const auto row = cross_axis(picture, cx, cy, 1, 0, *row_module, light);
            if (!row)
                continue;
            hits.push_back({row->centre, column->centre,
                            (row->module_size + column->module_size) / 2, y, light});
        }
        if (!step(looks))
            return false;
    }
    return true;
}

void gather_finder_candidates(const ScanPicture& picture, const std::vector<FinderHit>& hits,
                              ScanTicker& ticker, std::vector<FinderCandidate>& candidates) {
    // Dark finders and light ones are gathered apart: they never merge.
    CandidateCollector dark(picture.width()), light(picture.width());
    int retired_row = -1;
    for (size_t k = 0; k < hits.size(); ++k) {
        const FinderHit& hit = hits[k];
        // Every few rows, once the hits have passed them, the candidates no
        // recent row touched are retired.
        const int due = (hit.row - 1) / kRetireEveryRows * kRetireEveryRows;
        if (hit.row > 0 && due > retired_row) {
            dark.retire_before(due);
            light.retire_before(due);
            retired_row = due;
        }
        (hit.light ? light : dark).add(hit);
        if (k % kHitsPerStep == 0 && !ticker.step(kHitsPerStep * kMergeLooks))
            return;
    }
    dark.result(picture, ticker, candidates);
    light.result(picture, ticker, candidates);
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.hits > b.hits; });
}

void find_finder_candidates(const ScanPicture& picture, bool light_on_dark, ScanTicker& ticker,
                            std::vector<FinderHit>& hits,
                            std::vector<FinderCandidate>& candidates) {
    hits.clear();
    candidates.clear();
    if (!find_finder_hits(
            picture, 0, picture.height(), light_on_dark,
            [&](uint64_t pixels) { return ticker.step(pixels); }, hits))
        return;
    gather_finder_candidates(picture, hits, ticker, candidates);
}
