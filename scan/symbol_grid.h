// Where each module of a version-19 symbol lies in the picture: a first map
// from the three finder patterns, refined by the alignment patterns into a
// grid of projective cells that follows perspective and lens bending.
#pragma once

#include <array>
#include <optional>

#include "projective_map.h"
#include "qr_profile.h"
#include "scan_picture.h"

// Centres of three finder patterns as the symbol reads them.
struct FinderTriple {
    PicturePoint top_left;
    PicturePoint top_right;
    PicturePoint bottom_left;
    double module_size;
    bool light = false;  // a light-on-dark symbol
    // Each finder's own module size, in the order above: under perspective
    // the nearer finders' modules are larger.
    std::array<double, 3> finder_modules{};
};

// The finders of one symbol, however tilted, differ at most this much in module size.
inline constexpr double kMaxFinderModuleRatio = 3.0;

// The alignment pattern centres' rows and columns: 6, 30, 58 and 86, each
// module's centre lying half a module past its index.
inline constexpr std::array<int, 4> kAlignmentTracks = {6, 30, 58, 86};

// A map from module coordinates to the picture: one projective map for each
// of the 3 x 3 cells between alignment centres, the outer cells carried on to
// the symbol's edges.
class SymbolGrid {
  public:
    explicit SymbolGrid(const ProjectiveMap& whole);
    SymbolGrid(const std::array<std::array<PicturePoint, 4>, 4>& nodes);

    PicturePoint operator()(ModulePoint m) const;
    // The centres of one row's modules, each as operator() gives it: what the
    // sampler reads, cell by cell without looking each one up.
    void row_centres(int row, std::array<PicturePoint, kQrSide>& out) const;
    bool valid() const { return valid_; }

  private:
    std::array<std::optional<ProjectiveMap>, 9> cells_;
    bool valid_ = true;
};

// The affine map through the three finder centres.
std::optional<ProjectiveMap> finder_map(const FinderTriple& finders);
// The projective map through the three finder centres whose perspective gives
// each finder its own module size: the first guess under strong perspective.
// Nothing when the sizes are all one.
std::optional<ProjectiveMap> finder_perspective_map(const FinderTriple& finders);

// The symbol's fit to the picture: the alignment patterns are looked for one
// after another outwards from the finders, first where the finders' module
// sizes put them, then each where the map through every point found so far
// puts it, so that strong perspective is followed step by step.
struct SymbolFit {
    SymbolGrid cells;     // cell by cell through the patterns found
    ProjectiveMap whole;  // least squares through the finders and the patterns found
    int patterns_found;
};
// The alignment patterns are told from their surroundings by the threshold of that kind.
std::optional<SymbolFit> fit_symbol(const ScanPicture& picture, const FinderTriple& finders,
                                    LocalThreshold kind);
