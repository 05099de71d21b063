// The scan: grey and threshold, finder candidates, triples, then for each
// triple a few ways to map and sample the symbol, each handed whole to the decoder.
#include "design_scanner.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

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
// A picture where nothing was found is looked at again at half the size,
// unless it is this small: a symbol it holds has modules of a pixel or two.
constexpr int kMinHalvedSide = 200;

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

// Thresholds sampled greys and, when they could be our symbol, decodes them.
// The working matrix is filled and read without a pause between.
DecodeError try_decode(const SampledGreys& greys, ModuleThreshold threshold, SampledCells& cells,
                       RecordBytes& record) {
    threshold_cells(greys, threshold, cells);
    if (!could_be_version_19(cells))
        return DecodeError::kNoFormatInformation;
    std::memcpy(working_matrix, cells.data(), sizeof working_matrix);
    return decode_qr_with_reason(record.data());
}

// Every block corrected, so every module was read right: the symbol holds
// something else than a design, and reading it again will not change that.
bool read_but_not_a_design(DecodeError error) {
    return error == DecodeError::kWrongMode || error == DecodeError::kWrongLength;
}

// A way to place one triple's modules, and whether to read them with the
// symbol's own threshold as well as the picture's.
struct Placement {
    SymbolGrid grid;
    bool both_thresholds;
};

// The ways to place one triple's modules, the most exact first. Without a fit
// through the alignment patterns only the finders' own map is tried, once.
std::vector<Placement> placements_for(const ScanPicture& picture, const FinderTriple& triple) {
    std::vector<Placement> placements;
    const auto affine = finder_map(triple);
    const auto fit = fit_symbol(picture, triple);
    if (fit) {
        placements.push_back({fit->cells, true});
        placements.push_back({SymbolGrid(fit->whole), true});
    }
    if (affine)
        placements.push_back({SymbolGrid(*affine), fit.has_value()});
    return placements;
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
        std::stable_sort(
            designs.begin() + row_start, designs.begin() + k,
            [](const auto& a, const auto& b) { return symbol_centre(a).x < symbol_centre(b).x; });
        row_start = k;
    }
}

// One pass over a picture at 1 / scale of the original size; designs found
// are added in the original's pixels. False when cancelled.
bool scan_pass(const ScanPicture& picture, double scale, ScanTicker& ticker,
               std::vector<ScannedDesign>& designs) {
    const auto candidates = find_finder_candidates(picture, ticker);
    if (ticker.cancelled())
        return false;
    const auto greys_owner = std::make_unique<SampledGreys>();
    const auto cells_owner = std::make_unique<SampledCells>();
    SampledGreys& greys = *greys_owner;
    SampledCells& cells = *cells_owner;
    // Symbols read whole that hold something else than a design: their
    // finders are not tried again.
    std::vector<std::array<PicturePoint, 4>> passed_over;
    auto covered = [&](const FinderTriple& t) {
        auto holds = [&](const std::array<PicturePoint, 4>& quad) {
            return inside(quad, t.top_left.x * scale, t.top_left.y * scale) ||
                   inside(quad, t.top_right.x * scale, t.top_right.y * scale) ||
                   inside(quad, t.bottom_left.x * scale, t.bottom_left.y * scale);
        };
        return std::any_of(designs.begin(), designs.end(),
                           [&](const auto& d) { return holds(d.corners); }) ||
               std::any_of(passed_over.begin(), passed_over.end(), holds);
    };
    const size_t pixels = static_cast<size_t>(picture.width()) * picture.height();
    const auto triples = finder_triples(candidates, kBaseTriples + pixels / kPixelsPerExtraTriple);
    for (const FinderTriple& triple : triples) {
        if (covered(triple))
            continue;
        for (const Placement& placement : placements_for(picture, triple)) {
            if (!placement.both_thresholds && !timing_patterns_agree(picture, placement.grid))
                continue;
            sample_greys(picture, placement.grid, greys);
            RecordBytes record;
            DecodeError error = DecodeError::kNoFormatInformation;
            for (ModuleThreshold threshold : {ModuleThreshold::picture, ModuleThreshold::symbol}) {
                if (!ticker.keep_going())
                    return false;
                if (threshold == ModuleThreshold::symbol && !placement.both_thresholds)
                    break;
                error = try_decode(greys, threshold, cells, record);
                if (error == DecodeError::kNone || read_but_not_a_design(error))
                    break;
            }
            std::array<PicturePoint, 4> corners = corners_of(placement.grid);
            for (PicturePoint& c : corners)
                c.x *= scale, c.y *= scale;
            if (read_but_not_a_design(error)) {
                passed_over.push_back(corners);
                break;
            }
            if (error != DecodeError::kNone)
                continue;
            const bool known = std::any_of(designs.begin(), designs.end(),
                                           [&](const auto& d) { return d.record == record; });
            if (!known)
                designs.push_back({record, corners, module_size_of(corners)});
            break;
        }
    }
    return true;
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
    const ScanPicture full(picture, ticker);
    if (ticker.cancelled() || !scan_pass(full, 1, ticker, result.designs))
        return cancelled();
    if (result.designs.empty() && std::min(picture.width, picture.height) >= kMinHalvedSide) {
        const ScanPicture half = ScanPicture::halved(full, ticker);
        if (ticker.cancelled() || !scan_pass(half, 2, ticker, result.designs))
            return cancelled();
    }
    sort_into_reading_order(result.designs);
    return result;
}
