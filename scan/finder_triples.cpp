#include "finder_triples.h"

#include <algorithm>
#include <cmath>

#include "qr_profile.h"

namespace {

// Finder centres of one side lie 86 modules apart.
constexpr double kFinderSpacingModules = kQrSide - 7;
// Perspective and the finders' rough module sizes leave this much play.
constexpr double kMinSpacingModules = 0.65 * kFinderSpacingModules;
constexpr double kMaxSpacingModules = 1.5 * kFinderSpacingModules;
constexpr double kMaxSideRatio = 2.0;
constexpr double kMaxCornerCosine = 0.6;
// Candidates are binned in squares this many pixels wide to find partners.
constexpr double kBinSide = 64;
// Counted as pixels visited: a candidate's look through the bins around it; a
// pair of partners costs one.
constexpr uint64_t kLooksPerCandidate = 64;
constexpr uint64_t kLooksPerSortedTriple = 16;

double distance(const FinderCandidate& a, const FinderCandidate& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// Candidates met by few rows are likelier to be chance patterns in text or noise.
constexpr double kWeaknessWeight = 0.5;
double weakness(const FinderCandidate& c) {
    return kWeaknessWeight / std::sqrt(static_cast<double>(c.hits));
}

bool likelier(const ScoredTriple& x, const ScoredTriple& y) {
    return x.score < y.score;
}

bool could_share_a_side(const FinderCandidate& a, const FinderCandidate& b) {
    if (a.light != b.light || std::max(a.module_size, b.module_size) >
                                  kMaxFinderModuleRatio * std::min(a.module_size, b.module_size))
        return false;
    const double modules = distance(a, b) / ((a.module_size + b.module_size) / 2);
    return modules >= kMinSpacingModules && modules <= kMaxSpacingModules;
}

// The candidates each one could share a side with, found through bins.
std::vector<std::vector<uint32_t>> partners_of(const std::vector<FinderCandidate>& candidates,
                                               ScanTicker& ticker) {
    double max_x = 0, max_y = 0;
    for (const FinderCandidate& c : candidates)
        max_x = std::max(max_x, c.x), max_y = std::max(max_y, c.y);
    const int columns = static_cast<int>(max_x / kBinSide) + 1;
    const int rows = static_cast<int>(max_y / kBinSide) + 1;
    std::vector<std::vector<uint32_t>> bins(static_cast<size_t>(columns) * rows);
    auto bin_x = [&](double x) {
        return std::clamp(static_cast<int>(x / kBinSide), 0, columns - 1);
    };
    auto bin_y = [&](double y) { return std::clamp(static_cast<int>(y / kBinSide), 0, rows - 1); };
    for (uint32_t k = 0; k < candidates.size(); ++k)
        bins[static_cast<size_t>(bin_y(candidates[k].y)) * columns + bin_x(candidates[k].x)]
            .push_back(k);
    std::vector<std::vector<uint32_t>> partners(candidates.size());
    for (uint32_t a = 0; a < candidates.size(); ++a) {
        const FinderCandidate& c = candidates[a];
        // A partner's module is at most kMaxFinderModuleRatio times this one's.
        const double reach = kMaxSpacingModules * (1 + kMaxFinderModuleRatio) / 2 * c.module_size;
        for (int by = bin_y(c.y - reach); by <= bin_y(c.y + reach); ++by)
            for (int bx = bin_x(c.x - reach); bx <= bin_x(c.x + reach); ++bx)
                for (uint32_t b : bins[static_cast<size_t>(by) * columns + bx])
                    if (b != a && could_share_a_side(c, candidates[b]))
                        partners[a].push_back(b);
        if (!ticker.step(kLooksPerCandidate))
            return partners;
        std::sort(partners[a].begin(), partners[a].end());
    }
    return partners;
}

}  // namespace

void finder_triples(const std::vector<FinderCandidate>& candidates, size_t kept_per_corner,
                    int band_height, ScanTicker& ticker, std::vector<ScoredTriple>& out) {
    out.clear();
    const auto partners = partners_of(candidates, ticker);
    std::vector<ScoredTriple> corner_triples;
    struct Offset {
        double x, y, length;
    };
    std::vector<Offset> offsets;
    for (uint32_t a = 0; a < candidates.size(); ++a) {
        const FinderCandidate& corner = candidates[a];
        const uint64_t pairs = partners[a].size() * (partners[a].size() + 1) / 2;
        if (!ticker.step(pairs))
            return;
        corner_triples.clear();
        // Each partner's offset and distance, worked out once for all its pairs.
        offsets.clear();
        for (uint32_t b : partners[a]) {
            const double dx = candidates[b].x - corner.x, dy = candidates[b].y - corner.y;
            offsets.push_back({dx, dy, std::sqrt(dx * dx + dy * dy)});
        }
        for (size_t i = 0; i < partners[a].size(); ++i) {
            for (size_t j = i + 1; j < partners[a].size(); ++j) {
                const auto [bx, by, lb] = offsets[i];
                const auto [cx, cy, lc] = offsets[j];
                if (std::max(lb, lc) > kMaxSideRatio * std::min(lb, lc))
                    continue;
                const double cosine = (bx * cx + by * cy) / (lb * lc);
                if (std::abs(cosine) > kMaxCornerCosine)
                    continue;
                const uint32_t ib = partners[a][i], ic = partners[a][j];
                const FinderCandidate& b = candidates[ib];
                const FinderCandidate& c = candidates[ic];
                const double module = (corner.module_size + b.module_size + c.module_size) / 3;
                const double score = std::abs(cosine) + std::abs(lb - lc) / std::max(lb, lc) +
                                     std::abs((lb + lc) / 2 / module - kFinderSpacingModules) /
                                         kFinderSpacingModules +
                                     weakness(corner) + weakness(b) + weakness(c);
                // Rows run from top left to top right; with y downwards, the
                // bottom left lies clockwise of the top right.
                const bool b_is_right = bx * cy - by * cx > 0;
                const uint32_t right = b_is_right ? ib : ic;
                const uint32_t below = b_is_right ? ic : ib;
                const FinderCandidate& r = candidates[right];
                const FinderCandidate& l = candidates[below];
                corner_triples.push_back({{{corner.x, corner.y},
                                           {r.x, r.y},
                                           {l.x, l.y},
                                           module,
                                           corner.light,
                                           {corner.module_size, r.module_size, l.module_size}},
                                          {a, right, below},
                                          score});
            }
        }
        const size_t kept = std::min(kept_per_corner, corner_triples.size());
        std::partial_sort(corner_triples.begin(), corner_triples.begin() + kept,
                          corner_triples.end(), likelier);
        out.insert(out.end(), corner_triples.begin(), corner_triples.begin() + kept);
    }
    // A band of rows at a time, so that no one sort keeps the progress
    // callback waiting; ties keep the order they were found in.
    std::vector<std::vector<ScoredTriple>> bands;
    for (const ScoredTriple& t : out) {
        const size_t band = static_cast<size_t>(std::max(0.0, t.triple.top_left.y) / band_height);
        if (band >= bands.size())
            bands.resize(band + 1);
        bands[band].push_back(t);
    }
    out.clear();
    for (auto& band : bands) {
        std::stable_sort(band.begin(), band.end(), likelier);
        out.insert(out.end(), band.begin(), band.end());
        if (!ticker.step(band.size() * kLooksPerSortedTriple))
            return;
    }
}
