// Finder-pattern candidates: places where dark, light, dark, light, dark runs
// in the ratio 1 : 1 : 3 : 1 : 1 cross both along a row and along a column.
#pragma once

#include <vector>

#include "scan_picture.h"
#include "scan_ticker.h"

struct FinderCandidate {
    double x = 0;  // the centre of the dark core, in picture pixels
    double y = 0;
    double module_size = 0;  // pixels per module
    int hits = 0;            // rows whose runs met here
};

// Every candidate in the picture, strongest (most rows) first. The outer dark
// ring may run on into a dark surrounding on one side, as a symbol without a
// quiet zone on a dark page or at the picture's edge shows it.
std::vector<FinderCandidate> find_finder_candidates(const ScanPicture& picture, ScanTicker& ticker);
