// Triples of finder candidates that could be the three corners of one
// version-19 symbol, the likeliest first.
#pragma once

#include <vector>

#include "finder_search.h"
#include "symbol_grid.h"

// At most max_triples of them, from the strongest candidates.
std::vector<FinderTriple> finder_triples(const std::vector<FinderCandidate>& candidates,
                                         size_t max_triples);
