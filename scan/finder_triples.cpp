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
constexpr double kMaxSideRatio = 1.6;
constexpr double kMaxModuleRatio = 2.0;
constexpr double kMaxCornerCosine = 0.6;
// Only this many of the strongest candidates take part: the work grows with its cube.
constexpr size_t kMaxCandidates = 160;

double distance(const FinderCandidate& a, const FinderCandidate& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y));
}

// Candidates met by few rows are likelier to be chance patterns in text or noise.
constexpr double kWeaknessWeight = 0.5;
double weakness(const FinderCandidate& c) {
    return kWeaknessWeight / std::sqrt(static_cast<double>(c.hits));
}

struct ScoredTriple {
    FinderTriple triple;
    double score;  // lower is likelier
};

bool likelier(const ScoredTriple& x, const ScoredTriple& y) {
    return x.score < y.score;
}

// Keeps the `count` likeliest, so that memory stays bounded however many fit.
constexpr size_t kPruneFactor = 4;
void keep_best(std::vector<ScoredTriple>& scored, size_t count) {
    if (scored.size() <= count)
        return;
    std::nth_element(scored.begin(), scored.begin() + count, scored.end(), likelier);
    scored.resize(count);
}

}  // namespace

std::vector<FinderTriple> finder_triples(const std::vector<FinderCandidate>& candidates,
                                         size_t max_triples) {
    const size_t n = std::min(candidates.size(), kMaxCandidates);
    // The candidates each one could share a side with.
    std::vector<std::vector<size_t>> partners(n);
    for (size_t a = 0; a < n; ++a) {
        for (size_t b = a + 1; b < n; ++b) {
            const FinderCandidate& ca = candidates[a];
            const FinderCandidate& cb = candidates[b];
            if (std::max(ca.module_size, cb.module_size) >
                kMaxModuleRatio * std::min(ca.module_size, cb.module_size))
                continue;
            const double modules = distance(ca, cb) / ((ca.module_size + cb.module_size) / 2);
            if (modules < kMinSpacingModules || modules > kMaxSpacingModules)
                continue;
            partners[a].push_back(b);
            partners[b].push_back(a);
        }
    }
    std::vector<ScoredTriple> scored;
    for (size_t a = 0; a < n; ++a) {
        const FinderCandidate& corner = candidates[a];
        for (size_t i = 0; i < partners[a].size(); ++i) {
            for (size_t j = i + 1; j < partners[a].size(); ++j) {
                const FinderCandidate& b = candidates[partners[a][i]];
                const FinderCandidate& c = candidates[partners[a][j]];
                const double bx = b.x - corner.x, by = b.y - corner.y;
                const double cx = c.x - corner.x, cy = c.y - corner.y;
                const double lb = std::sqrt(bx * bx + by * by), lc = std::sqrt(cx * cx + cy * cy);
                const double cosine = (bx * cx + by * cy) / (lb * lc);
                if (std::abs(cosine) > kMaxCornerCosine ||
                    std::max(lb, lc) > kMaxSideRatio * std::min(lb, lc))
                    continue;
                const double module = (corner.module_size + b.module_size + c.module_size) / 3;
                const double score = std::abs(cosine) + std::abs(lb - lc) / std::max(lb, lc) +
                                     std::abs((lb + lc) / 2 / module - kFinderSpacingModules) /
                                         kFinderSpacingModules +
                                     weakness(corner) + weakness(b) + weakness(c);
                // Rows run from top left to top right; with y downwards, the
                // bottom left lies clockwise of the top right.
                const bool b_is_right = bx * cy - by * cx > 0;
                const FinderCandidate& right = b_is_right ? b : c;
                const FinderCandidate& below = b_is_right ? c : b;
                scored.push_back(
                    {{{corner.x, corner.y}, {right.x, right.y}, {below.x, below.y}, module},
                     score});
                if (scored.size() >= kPruneFactor * max_triples)
                    keep_best(scored, max_triples);
            }
        }
    }
    const size_t kept = std::min(max_triples, scored.size());
    std::partial_sort(scored.begin(), scored.begin() + kept, scored.end(), likelier);
    std::vector<FinderTriple> out;
    for (size_t k = 0; k < kept; ++k)
        out.push_back(scored[k].triple);
    return out;
}
