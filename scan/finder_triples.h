// Triples of finder candidates that could be the three corners of one
// version-19 symbol, the likeliest first.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "finder_search.h"
#include "scan_ticker.h"
#include "symbol_grid.h"

struct ScoredTriple {
    FinderTriple triple;
    std::array<uint32_t, 3> finders;  // indices of top left, top right, bottom left
    double score;                     // lower is likelier
};

// The triples of the candidates whose sides, angle and module sizes fit one
// symbol: by bands of band_height rows of their top-left corner, top first,
// and in each band likeliest first; of those with the same top-left corner
// only the likeliest kept_per_corner. Partners are looked up by position, so
// the work grows with the candidates and their neighbours, not their cube.
void finder_triples(const std::vector<FinderCandidate>& candidates, size_t kept_per_corner,
                    int band_height, ScanTicker& ticker, std::vector<ScoredTriple>& out);
