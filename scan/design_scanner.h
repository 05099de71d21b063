// Finding design QR codes in any picture.
#pragma once
#include <array>
#include <functional>
#include <vector>
#include "design_record.h"
#include "picture.h"

// A point in picture pixels; (0, 0) is the top-left corner of the top-left pixel.
struct PicturePoint { double x; double y; };

struct ScannedDesign {
    RecordBytes record;
    // The symbol's outer corners (93 x 93 modules, no quiet zone) as the symbol reads:
    // top left, top right, bottom right, bottom left.
    std::array<PicturePoint, 4> corners;
    double module_size;  // picture pixels per module
};

PicturePoint symbol_centre(const ScannedDesign& design);

// Called between whole decodes, at least every 50 ms; returning false ends the scan with nothing.
using ScanProgress = std::function<bool()>;

enum class ScanOutcome { finished, cancelled };

struct ScanResult {
    ScanOutcome outcome = ScanOutcome::finished;
    std::vector<ScannedDesign> designs;  // each distinct record once, in reading order
    // Design-sized symbols seen but beyond repair, each counted once, none inside a symbol read.
    int unread_symbols = 0;
};

ScanResult scan_designs(const Picture& picture, const ScanProgress& progress = {});
