// Finder-pattern candidates: places where dark, light, dark, light, dark runs
// in the ratio 1 : 1 : 3 : 1 : 1 cross both along a row and along a column,
// or light, dark, light, dark, light ones for a light-on-dark code.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "scan_picture.h"
#include "scan_ticker.h"

struct FinderCandidate {
    double x = 0;  // the centre of the dark core, in picture pixels
    double y = 0;
    double module_size = 0;  // pixels per module
    int hits = 0;            // rows whose runs met here
    bool light = false;      // a light finder in a light-on-dark code
};

// One row's crossing of a finder pattern, checked along its column.
struct FinderHit {
    double x;
    double y;
    double module_size;
    int row;
    bool light;
};

// The hits of rows [first_row, end_row) in row order, added to hits; of light
// finders too when light_on_dark. Calls step with the pixels looked at after
// each row; false when it says to stop. Bands of rows may be searched at
// once, each into its own list.
bool find_finder_hits(const ScanPicture& picture, int first_row, int end_row, bool light_on_dark,
                      const std::function<bool(uint64_t)>& step, std::vector<FinderHit>& hits);

// The candidates the hits of every row, in row order, make: strongest (most
// rows) first. The outer dark ring may run on into a dark surrounding on one
// side, as a symbol without a quiet zone on a dark page or at the picture's
// edge shows it.
void gather_finder_candidates(const ScanPicture& picture, const std::vector<FinderHit>& hits,
                              ScanTicker& ticker, std::vector<FinderCandidate>& candidates);

// Both on one thread.
void find_finder_candidates(const ScanPicture& picture, bool light_on_dark, ScanTicker& ticker,
                            std::vector<FinderHit>& hits, std::vector<FinderCandidate>& candidates);
