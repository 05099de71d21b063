#include "symbol_grid.h"

#include <algorithm>
#include <cmath>

#include "qr_profile.h"

namespace {

constexpr double kFinderCentre = 3.5;
constexpr double kFarFinderCentre = kQrSide - kFinderCentre;
constexpr int kLastTrack = kAlignmentTracks.size() - 1;
// Search radii around a predicted alignment centre, in modules: wider while
// only the finders' own map predicts it than once alignment patterns do.
constexpr double kAffineSearchModules = 2.5;
constexpr double kTrackSearchModules = 2.0;
constexpr double kCoarseStep = 0.5;
constexpr double kFineStep = 0.125;
// Mean grey of the light ring less that of the dark modules, at the least.
constexpr double kMinAlignmentContrast = 12.0;
// Of the five patterns nearest the finders at least two, and of all 13 at least
// five, must be found for a fit.
constexpr size_t kNearestNodes = 2;  // beside the top-left finder, one of them at least
constexpr size_t kFirstNodesChecked = 5;
constexpr size_t kMinFirstNodesFound = 2;
constexpr size_t kMinNodesFound = 5;
// Where the first map's guess at a fourth finder lies among the fitted points:
// after the three finders.
constexpr size_t kGuessIndex = 3;
// Finders of a flat code may differ this much in module size by blur and
// rounding; more, and the code is tilted.
constexpr double kMaxChanceModuleRatio = 1.4;
// A pattern this many modules from where the whole fit puts it is not used.
constexpr double kMaxNodeStrayModules = 1.5;

double centre_of(int track) {
    return track + 0.5;
}

int cell_of(double t) {
    int cell = 0;
    while (cell + 1 < kLastTrack && t >= centre_of(kAlignmentTracks[cell + 1]))
        ++cell;
    return cell;
}

// How well an alignment pattern (dark centre, light ring, dark ring; the
// colours swapped in a light-on-dark symbol) sits at
// q, with ex and ey one module along the symbol's columns and rows: the mean
// grey of the light ring less that of the dark modules; 0 when more modules
// than allowed fall on the wrong side of the threshold, or the centre on the
// wrong side of its ring. A coarse look reads
// the centre, the light ring and the middles of the dark ring's sides, and
// allows none; a full one reads all 25.
constexpr int kFullFitWrongModules = 2;

double alignment_fit(const ScanPicture& picture, PicturePoint q, PicturePoint ex, PicturePoint ey,
                     int threshold, bool full, bool light_on_dark) {
    double dark = 0, light = 0;
    int dark_count = 0, light_count = 0, wrong = 0;
    const int allowed = full ? kFullFitWrongModules : 0;
    for (int j = -2; j <= 2; ++j) {
        for (int i = -2; i <= 2; ++i) {
            const int ring = std::max(std::abs(i), std::abs(j));
            if (ring == 0 || (!full && ring == 2 && i != 0 && j != 0))
                continue;
            const double g = picture.grey_at(q.x + i * ex.x + j * ey.x, q.y + i * ex.y + j * ey.y);
            const bool should_be_light = (ring == 1) != light_on_dark;
            if ((g >= threshold) != should_be_light && ++wrong > allowed)
                return 0;
            if (should_be_light)
                light += g, ++light_count;
            else
                dark += g, ++dark_count;
        }
    }
    // The centre, one module alone, is the first to blur into its ring: it
    // need only be darker than the ring around it (lighter, colours swapped).
    const double centre = picture.grey_at(q.x, q.y);
    const bool centre_right =
        light_on_dark ? centre > dark / dark_count : centre < light / light_count;
    if (!centre_right && ++wrong > allowed)
        return 0;
    if (light_on_dark)
        light += centre, ++light_count;
    else
        dark += centre, ++dark_count;
    return light / light_count - dark / dark_count;
}

std::optional<PicturePoint> find_alignment(const ScanPicture& picture, const ProjectiveMap& map,
                                           ModulePoint centre, double radius, bool light,
                                           LocalThreshold kind) {
    const PicturePoint c = map(centre);
    const PicturePoint right = map({centre.u + 1, centre.v});
    const PicturePoint down = map({centre.u, centre.v + 1});
    const PicturePoint ex{right.x - c.x, right.y - c.y};
    const PicturePoint ey{down.x - c.x, down.y - c.y};
    const int threshold = picture.threshold_at(c.x, c.y, kind);
    auto at = [&](double du, double dv) {
        return PicturePoint{c.x + du * ex.x + dv * ey.x, c.y + du * ex.y + dv * ey.y};
    };
    double best = 0, best_du = 0, best_dv = 0;
    auto search = [&](double centre_du, double centre_dv, double reach, double step, bool full) {
        const int steps = static_cast<int>(reach / step);
        for (int a = -steps; a <= steps; ++a) {
            for (int b = -steps; b <= steps; ++b) {
                const double du = centre_du + a * step, dv = centre_dv + b * step;
                const double fit =
                    alignment_fit(picture, at(du, dv), ex, ey, threshold, full, light);
                if (fit > best)
                    best = fit, best_du = du, best_dv = dv;
            }
        }
    };
    search(0, 0, radius, kCoarseStep, false);
    if (best < kMinAlignmentContrast)
        return std::nullopt;
    best = 0;
    const double coarse_du = best_du, coarse_dv = best_dv;
    search(coarse_du, coarse_dv, kCoarseStep, kFineStep, true);
    if (best < kMinAlignmentContrast)
        return std::nullopt;
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
            cell = ProjectiveMap::through({ModulePoint{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}},
                                          {nodes[row][col], nodes[row][col + 1],
                                           nodes[row + 1][col + 1], nodes[row + 1][col]});
            valid_ = valid_ && cell.has_value();
        }
    }
}

PicturePoint SymbolGrid::operator()(ModulePoint m) const {
    const auto& cell = cells_[cell_of(m.v) * kLastTrack + cell_of(m.u)];
    return cell ? (*cell)(m) : PicturePoint{0, 0};
}

void SymbolGrid::row_centres(int row, std::array<PicturePoint, kQrSide>& out) const {
    constexpr double kCentre = 0.5;
    const int cell_row = cell_of(row + kCentre);
    // A module's centre lies in the cell of the alignment track at or before its column.
    for (int col = 0, cell_col = 0; cell_col < kLastTrack; ++cell_col) {
        const int end = cell_col + 1 < kLastTrack ? kAlignmentTracks[cell_col + 1] : kQrSide;
        const auto& cell = cells_[cell_row * kLastTrack + cell_col];
        if (cell)
            cell->along_row(col + kCentre, row + kCentre, end - col, out.data() + col);
        else
            std::fill(out.begin() + col, out.begin() + end, PicturePoint{0, 0});
        col = end;
    }
}

std::optional<ProjectiveMap> finder_map(const FinderTriple& f) {
    return ProjectiveMap::affine_through({ModulePoint{kFinderCentre, kFinderCentre},
                                          {kFarFinderCentre, kFinderCentre},
                                          {kFinderCentre, kFarFinderCentre}},
                                         {f.top_left, f.top_right, f.bottom_left});
}

namespace {

// A projective map scales areas by 1 / w^3, w its denominator, so a module's
// side goes as w^(-3/2): each finder's w follows from its module size.
constexpr double kModuleToDenominator = -2.0 / 3;
// The far corner's denominator, the sum of the other two less one, at the least.
constexpr double kMinFarDenominator = 0.25;

}  // namespace

std::optional<ProjectiveMap> finder_perspective_map(const FinderTriple& f) {
    auto denominator = [&](double module) {
        const double ratio = std::clamp(module / f.finder_modules[0], 1 / kMaxFinderModuleRatio,
                                        kMaxFinderModuleRatio);
        return std::pow(ratio, kModuleToDenominator);
    };
    if (f.finder_modules[0] <= 0 || f.finder_modules[1] <= 0 || f.finder_modules[2] <= 0 ||
        (f.finder_modules[1] == f.finder_modules[0] && f.finder_modules[2] == f.finder_modules[0]))
        return std::nullopt;
    const double right = denominator(f.finder_modules[1]);
    const double below = denominator(f.finder_modules[2]);
    const double far = right + below - 1;
    if (far < kMinFarDenominator)
        return std::nullopt;
    // With the top-left finder's denominator 1, the map is affine times 1 / w
    // and w linear: the far finder's centre follows.
    const PicturePoint far_centre{
        (right * f.top_right.x + below * f.bottom_left.x - f.top_left.x) / far,
        (right * f.top_right.y + below * f.bottom_left.y - f.top_left.y) / far};
    return ProjectiveMap::through({ModulePoint{kFinderCentre, kFinderCentre},
                                   {kFarFinderCentre, kFinderCentre},
                                   {kFarFinderCentre, kFarFinderCentre},
                                   {kFinderCentre, kFarFinderCentre}},
                                  {f.top_left, f.top_right, far_centre, f.bottom_left});
}

namespace {

struct Node {
    int row;
    int col;
};

// The 13 alignment patterns, nearest the finders first.
std::array<Node, 13> alignment_nodes_outwards() {
    std::array<Node, 13> nodes{};
    size_t n = 0;
    for (int sum = 0; sum <= 2 * kLastTrack; ++sum)
        for (int row = 0; row <= kLastTrack; ++row)
            for (int col = 0; col <= kLastTrack; ++col)
                if (row + col == sum && !((row == 0 || col == 0) && sum % kLastTrack == 0))
                    nodes[n++] = {row, col};
    return nodes;
}

ModulePoint node_centre(Node n) {
    return {centre_of(kAlignmentTracks[n.col]), centre_of(kAlignmentTracks[n.row])};
}

double distance(PicturePoint a, PicturePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The fit from a first map through the finders.
std::optional<SymbolFit> fit_from(const ScanPicture& picture, const FinderTriple& f,
                                  const ProjectiveMap& first, LocalThreshold kind) {
    // The first map's guess at where a fourth finder would lie holds the fit
    // in shape until patterns are found off both the top and the left edge:
    // patterns along one edge alone leave it free to tilt any way across the other.
    const ModulePoint far_corner{kFarFinderCentre, kFarFinderCentre};
    std::vector<ModulePoint> from = {{kFinderCentre, kFinderCentre},
                                     {kFarFinderCentre, kFinderCentre},
                                     {kFinderCentre, kFarFinderCentre},
                                     far_corner};
    std::vector<PicturePoint> to = {f.top_left, f.top_right, f.bottom_left, first(far_corner)};
    bool guessing = true;
    bool below_top = false, right_of_left = false;
    std::vector<Node> found_nodes;
    std::vector<PicturePoint> found_at;
    auto current_map = [&] {
        const auto fitted = ProjectiveMap::fitted(from, to);
        return fitted ? *fitted : first;
    };
    const auto order = alignment_nodes_outwards();
    for (size_t k = 0; k < order.size(); ++k) {
        // A symbol shows most of its patterns; chance triples in text or noise
        // show few, and are left early.
        if ((k == kFirstNodesChecked && found_nodes.size() < kMinFirstNodesFound) ||
            (k == kNearestNodes && found_nodes.empty()))
            return std::nullopt;
        const Node node = order[k];
        const double radius = found_nodes.empty() ? kAffineSearchModules : kTrackSearchModules;
        if (const auto found =
                find_alignment(picture, current_map(), node_centre(node), radius, f.light, kind)) {
            from.push_back(node_centre(node));
            to.push_back(*found);
            found_nodes.push_back(node);
            found_at.push_back(*found);
            below_top |= node.row > 0;
            right_of_left |= node.col > 0;
            if (guessing && below_top && right_of_left) {
                from.erase(from.begin() + kGuessIndex);
                to.erase(to.begin() + kGuessIndex);
                guessing = false;
            }
        }
    }
    if (found_nodes.size() < kMinNodesFound)
        return std::nullopt;
    const ProjectiveMap whole = current_map();
    std::array<std::array<PicturePoint, 4>, 4> nodes;
    for (int row = 0; row <= kLastTrack; ++row)
        for (int col = 0; col <= kLastTrack; ++col)
            nodes[row][col] = whole(node_centre({row, col}));
    // A pattern found far from where all the others put it was a chance match.
    for (size_t k = 0; k < found_nodes.size(); ++k) {
        const Node n = found_nodes[k];
        const PicturePoint expected = whole(node_centre(n));
        const double module = distance(expected, whole({node_centre(n).u + 1, node_centre(n).v}));
        if (distance(expected, found_at[k]) <= kMaxNodeStrayModules * module)
            nodes[n.row][n.col] = found_at[k];
    }
    SymbolGrid cells(nodes);
    if (!cells.valid())
        return std::nullopt;
    return SymbolFit{cells, whole, static_cast<int>(found_nodes.size())};
}

}  // namespace

std::optional<SymbolFit> fit_symbol(const ScanPicture& picture, const FinderTriple& f,
                                    LocalThreshold kind) {
    // The perspective the finders' module sizes show puts the first patterns
    // near where they are even when the code is strongly tilted; on a flat
    // small code those sizes differ by chance and may mislead it, so the
    // finders' affine map is tried when it finds too few, unless the sizes
    // differ too much for chance.
    if (const auto perspective = finder_perspective_map(f)) {
        if (auto fit = fit_from(picture, f, *perspective, kind))
            return fit;
        const auto [smallest, largest] =
            std::minmax({f.finder_modules[0], f.finder_modules[1], f.finder_modules[2]});
        if (largest > kMaxChanceModuleRatio * smallest)
            return std::nullopt;
    }
    const auto affine = finder_map(f);
    if (!affine)
        return std::nullopt;
    return fit_from(picture, f, *affine, kind);
}
