#include "symbol_grid.h"

#include <cmath>

#include "qr_profile.h"

namespace {

constexpr double kFinderCentre = 3.5;
constexpr double kFarFinderCentre = kQrSide - kFinderCentre;
constexpr int kLastTrack = kAlignmentTracks.size() - 1;
// Search radii around a predicted alignment centre, in modules: wider for the
// first, predicted by an affine map, than for the rest.
constexpr double kCornerSearchModules = 5.0;
constexpr double kTrackSearchModules = 2.0;
constexpr double kCoarseStep = 0.5;
constexpr double kFineStep = 0.125;
// Mean grey of the light ring less that of the dark modules, at the least.
constexpr double kMinAlignmentContrast = 12.0;

double centre_of(int track) { return track + 0.5; }

int cell_of(double t) {
    int cell = 0;
    while (cell + 1 < kLastTrack && t >= centre_of(kAlignmentTracks[cell + 1]))
        ++cell;
    return cell;
}

// How well an alignment pattern (dark centre, light ring, dark ring) sits at
// q, with ex and ey one module along the symbol's columns and rows.
double alignment_fit(const ScanPicture& picture, PicturePoint q, PicturePoint ex, PicturePoint ey,
                     int threshold) {
    double dark = 0, light = 0;
    int dark_count = 0, light_count = 0;
    for (int j = -2; j <= 2; ++j) {
        for (int i = -2; i <= 2; ++i) {
            const double g = picture.grey_at(q.x + i * ex.x + j * ey.x, q.y + i * ex.y + j * ey.y);
            if (std::max(std::abs(i), std::abs(j)) == 1)
                light += g, ++light_count;
            else
                dark += g, ++dark_count;
        }
    }
    dark /= dark_count;
    light /= light_count;
    if (!(dark < threshold && light >= threshold))
        return 0;
    return light - dark;
}

std::optional<PicturePoint> find_alignment(const ScanPicture& picture, const ProjectiveMap& map,
                                           ModulePoint centre, double radius) {
    const PicturePoint c = map(centre);
    const PicturePoint right = map({centre.u + 1, centre.v});
    const PicturePoint down = map({centre.u, centre.v + 1});
    const PicturePoint ex{right.x - c.x, right.y - c.y};
    const PicturePoint ey{down.x - c.x, down.y - c.y};
    const int threshold = picture.threshold_at(c.x, c.y);
    auto at = [&](double du, double dv) {
        return PicturePoint{c.x + du * ex.x + dv * ey.x, c.y + du * ex.y + dv * ey.y};
    };
    double best = 0, best_du = 0, best_dv = 0;
    auto search = [&](double centre_du, double centre_dv, double reach, double step) {
        const int steps = static_cast<int>(reach / step);
        for (int a = -steps; a <= steps; ++a) {
            for (int b = -steps; b <= steps; ++b) {
                const double du = centre_du + a * step, dv = centre_dv + b * step;
                const double fit = alignment_fit(picture, at(du, dv), ex, ey, threshold);
                if (fit > best)
                    best = fit, best_du = du, best_dv = dv;
            }
        }
    };
    search(0, 0, radius, kCoarseStep);
    if (best < kMinAlignmentContrast)
        return std::nullopt;
    search(best_du, best_dv, kCoarseStep, kFineStep);
    return at(best_du, best_dv);
}

}  // namespace

SymbolGrid::SymbolGrid(const ProjectiveMap& whole) {
    cells_.fill(whole);
}

SymbolGrid::SymbolGrid(const std::array<std::array<PicturePoint, 4>, 4>& nodes) {
    for (int row = 0; row < kLastTrack; ++row) {
        for (int col = 0; col < kLastTrack; ++col) {
            const double u0 = centre_of(kAlignmentTracks[col]);
            const double u1 = centre_of(kAlignmentTracks[col + 1]);
            const double v0 = centre_of(kAlignmentTracks[row]);
            const double v1 = centre_of(kAlignmentTracks[row + 1]);
            auto& cell = cells_[row * kLastTrack + col];
            cell = ProjectiveMap::through(
                {ModulePoint{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}},
                {nodes[row][col], nodes[row][col + 1], nodes[row + 1][col + 1],
                 nodes[row + 1][col]});
            valid_ = valid_ && cell.has_value();
        }
    }
}

PicturePoint SymbolGrid::operator()(ModulePoint m) const {
    const auto& cell = cells_[cell_of(m.v) * kLastTrack + cell_of(m.u)];
    return cell ? (*cell)(m) : PicturePoint{0, 0};
}

std::optional<ProjectiveMap> finder_map(const FinderTriple& f) {
    return ProjectiveMap::affine_through(
        {ModulePoint{kFinderCentre, kFinderCentre}, {kFarFinderCentre, kFinderCentre},
         {kFinderCentre, kFarFinderCentre}},
        {f.top_left, f.top_right, f.bottom_left});
}

std::optional<ProjectiveMap> corner_map(const ScanPicture& picture, const FinderTriple& f,
                                        const ProjectiveMap& first) {
    const double far = centre_of(kAlignmentTracks[kLastTrack]);
    const auto corner = find_alignment(picture, first, {far, far}, kCornerSearchModules);
    if (!corner)
        return std::nullopt;
    return ProjectiveMap::through({ModulePoint{kFinderCentre, kFinderCentre},
                                   {kFarFinderCentre, kFinderCentre},
                                   {kFinderCentre, kFarFinderCentre},
                                   {far, far}},
                                  {f.top_left, f.top_right, f.bottom_left, *corner});
}

SymbolGrid fitted_grid(const ScanPicture& picture, const ProjectiveMap& map) {
    std::array<std::array<PicturePoint, 4>, 4> nodes;
    for (int row = 0; row <= kLastTrack; ++row) {
        for (int col = 0; col <= kLastTrack; ++col) {
            const ModulePoint m{centre_of(kAlignmentTracks[col]), centre_of(kAlignmentTracks[row])};
            nodes[row][col] = map(m);
            // The three corners beside the finders hold no alignment pattern.
            const bool beside_finder = (row == 0 || col == 0) && (row + col) % kLastTrack == 0;
            if (beside_finder)
                continue;
            if (const auto found = find_alignment(picture, map, m, kTrackSearchModules))
                nodes[row][col] = *found;
        }
    }
    return SymbolGrid(nodes);
}
