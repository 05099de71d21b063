// The scan: grey and threshold, finder candidates, triples, then for each
// triple a few ways to map and sample the symbol, each handed whole to the decoder.
#include "design_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "decoder.h"
#include "finder_triples.h"
#include "qr_profile.h"
#include "scan_picture.h"
#include "scan_ticker.h"
#include "symbol_buffers.h"
#include "symbol_grid.h"
#include "symbol_sampler.h"

namespace {

// Triples tried per picture: a base and more for larger pictures, so the time
// stays linear in the pixels.
constexpr size_t kBaseTriples = 48;
constexpr size_t kPixelsPerExtraTriple = 40000;

struct Found {
    ScannedDesign design;
    SymbolGrid grid;
};

// The symbol's outer corners under a grid.
std::array<PicturePoint, 4> corners_of(const SymbolGrid& grid) {
    const double side = kQrSide;
    return {grid({0, 0}), grid({side, 0}), grid({side, side}), grid({0, side})};
}

double module_size_of(const std::array<PicturePoint, 4>& c) {
    double sum = 0;
    for (int k = 0; k < 4; ++k)
        sum += std::hypot(c[(k + 1) % 4].x - c[k].x, c[(k + 1) % 4].y - c[k].y);
    return sum / 4 / kQrSide;
}

// Whether a point lies inside the convex quadrilateral of corners.
bool inside(const std::array<PicturePoint, 4>& c, double x, double y) {
    int sign = 0;
    for (int k = 0; k < 4; ++k) {
        const PicturePoint a = c[k], b = c[(k + 1) % 4];
        const double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
        if (s != 0 && sign != 0 && s != sign)
            return false;
        if (s != 0)
            sign = s;
    }
    return true;
}

// Samples under one grid and, when it could be our symbol, decodes it. The
// working matrix is filled and read without a pause between.
bool try_decode(const ScanPicture& picture, const SymbolGrid& grid, ModuleThreshold threshold,
                RecordBytes& record) {
    static SampledCells cells;
    sample_symbol(picture, grid, threshold, cells);
    if (!could_be_version_19(cells))
        return false;
    std::memcpy(working_matrix, cells.data(), sizeof working_matrix);
    return decode_qr_with_reason(record.data()) == DecodeError::kNone;
}

// The ways to read one triple, the most exact first.
std::vector<SymbolGrid> grids_for(const ScanPicture& picture, const FinderTriple& triple) {
    std::vector<SymbolGrid> grids;
    const auto first = finder_map(triple);
    if (!first)
        return grids;
    const auto corner = corner_map(picture, triple, *first);
    const ProjectiveMap& best = corner ? *corner : *first;
    SymbolGrid fitted = fitted_grid(picture, best);
    if (fitted.valid())
        grids.push_back(fitted);
    grids.emplace_back(best);
    if (corner)
        grids.emplace_back(*first);
    return grids;
}

// Top to bottom, rows grouped when centres lie within half a symbol, then left to right.
void sort_into_reading_order(std::vector<ScannedDesign>& designs) {
    std::stable_sort(designs.begin(), designs.end(), [](const auto& a, const auto& b) {
        return symbol_centre(a).y < symbol_centre(b).y;
    });
    size_t row_start = 0;
    for (size_t k = 1; k <= designs.size(); ++k) {
        const bool new_row =
            k == designs.size() ||
            symbol_centre(designs[k]).y - symbol_centre(designs[row_start]).y >
                kQrSide * std::max(designs[k].module_size, designs[row_start].module_size) / 2;
        if (!new_row)
            continue;
        std::stable_sort(designs.begin() + row_start, designs.begin() + k,
                         [](const auto& a, const auto& b) {
                             return symbol_centre(a).x < symbol_centre(b).x;
                         });
        row_start = k;
    }
}

}  // namespace

PicturePoint symbol_centre(const ScannedDesign& design) {
    double x = 0, y = 0;
    for (const PicturePoint& c : design.corners)
        x += c.x, y += c.y;
    return {x / 4, y / 4};
}

ScanResult scan_designs(const Picture& picture, const ScanProgress& progress) {
    ScanTicker ticker(progress);
    ScanResult result;
    auto cancelled = [&] {
        result.outcome = ScanOutcome::cancelled;
        result.designs.clear();
        return result;
    };
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() < static_cast<size_t>(picture.width) * picture.height * 3)
        return result;
    const ScanPicture scan_picture(picture, ticker);
    if (ticker.cancelled())
        return cancelled();
    const auto candidates = find_finder_candidates(scan_picture, ticker);
    if (ticker.cancelled())
        return cancelled();
    const size_t pixels = static_cast<size_t>(picture.width) * picture.height;
    const auto triples = finder_triples(candidates, kBaseTriples + pixels / kPixelsPerExtraTriple);
    for (const FinderTriple& triple : triples) {
        const bool already_read = std::any_of(
            result.designs.begin(), result.designs.end(), [&](const ScannedDesign& d) {
                return inside(d.corners, triple.top_left.x, triple.top_left.y) ||
                       inside(d.corners, triple.top_right.x, triple.top_right.y) ||
                       inside(d.corners, triple.bottom_left.x, triple.bottom_left.y);
            });
        if (already_read)
            continue;
        if (!ticker.keep_going())
            return cancelled();
        for (const SymbolGrid& grid : grids_for(scan_picture, triple)) {
            bool read = false;
            for (ModuleThreshold threshold : {ModuleThreshold::picture, ModuleThreshold::symbol}) {
                if (!ticker.keep_going())
                    return cancelled();
                RecordBytes record;
                if (!try_decode(scan_picture, grid, threshold, record))
                    continue;
                ScannedDesign design{record, corners_of(grid), 0};
                design.module_size = module_size_of(design.corners);
                const bool known = std::any_of(
                    result.designs.begin(), result.designs.end(),
                    [&](const ScannedDesign& d) { return d.record == record; });
                if (!known)
                    result.designs.push_back(design);
                read = true;
                break;
            }
            if (read)
                break;
        }
    }
    sort_into_reading_order(result.designs);
    return result;
}
