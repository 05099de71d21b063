// Design-sized symbols the scan saw but could not read: noted as each triple
// is left, counted once the scan has ended.
#pragma once

#include <array>
#include <vector>

#include "design_scanner.h"

using SymbolQuad = std::array<PicturePoint, 4>;  // outer corners, as ScannedDesign's

// Whether a point lies inside the convex quadrilateral.
bool quad_holds(const SymbolQuad& quad, PicturePoint p);

// A symbol whose timing patterns and version blocks fit a design code, whose
// format reads as level M, and where a block was beyond correction, under
// every placement and threshold tried.
struct UnreadSymbol {
    std::array<PicturePoint, 3> finders;  // in the original picture's pixels
    PicturePoint centre;
    double module_size;
};

// How many different symbols were seen but not read: none with a finder inside
// a symbol read or passed over, and those sharing a finder or lying within half
// a symbol of each other once.
int count_unread(const std::vector<UnreadSymbol>& seen, const std::vector<SymbolQuad>& read);
