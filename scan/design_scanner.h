// Finding design QR codes in any picture.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "design_record.h"
#include "picture.h"

// A point in picture pixels; (0, 0) is the top-left corner of the top-left pixel.
struct PicturePoint {
    double x;
    double y;
};

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

// The work a scan has done: each pixel a pass visits, and each whole decode.
// The progress callback is called after a fixed share of either.
struct ScanWork {
    uint64_t pixels = 0;
    uint64_t decodes = 0;
};

struct ScanOptions {
    // Bands of the picture searched at once; the result is the same for any number.
    int threads = 1;
    // Light-on-dark codes in any picture: their finders are found in the same
    // row scan, with the colours swapped. It costs about a third more time on
    // most pictures, and twice as much on noise, so by default only a picture
    // that is mostly dark, as a dark-mode page, is searched for them.
    bool light_on_dark = false;
};

// What a scan builds and keeps for the next: the grey picture and its
// thresholds, both sizes, the finder candidates and the sampled symbol. A
// caller scanning many pictures keeps one and saves the allocations.
class ScanWorkspace {
  public:
    ScanWorkspace();
    ~ScanWorkspace();
    ScanWorkspace(ScanWorkspace&&) noexcept;
    ScanWorkspace& operator=(ScanWorkspace&&) noexcept;

    // The work of the scan under way, or of the last one.
    const ScanWork& work() const;

    struct State;
    State& state() { return *state_; }

  private:
    std::unique_ptr<State> state_;
};

ScanResult scan_designs(const Picture& picture, ScanWorkspace& workspace,
                        const ScanOptions& options, const ScanProgress& progress = {});
// The same with a workspace of its own, on one thread.
ScanResult scan_designs(const Picture& picture, const ScanProgress& progress = {});
