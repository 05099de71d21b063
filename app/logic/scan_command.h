// Commands 130 and 131: what a scan leaves in the state, stepping through the
// designs it found, the region of the screen that 131 reads, and when the
// scan shows its progress.
#pragma once

#include <cstdint>

#include "capture_geometry.h"
#include "shell_state.h"

// What the window does once a scan has ended.
enum class ScanAnswer {
    unchanged,   // cancelled: everything stays
    none_found,  // the message, and what is shown stays
    found,       // the first design found is shown
};
ScanAnswer answer_of_scan(bool cancelled, int designs_found);

// `count` designs found: the first is on show in display mode 3. The grid, the
// indices, the median-cut flag and the chosen reduction stay.
void accept_found_designs(ShellState& state, int count);

// Clicks and arrow keys over the designs found, wrapping; Home and End go to
// the first and the last. False, with nothing changed, unless display mode 3
// shows one of several.
bool step_found_design(ShellState& state, bool forward);
bool go_to_end_found_design(ShellState& state, bool last);

// A release this close to the press, on both axes, reads the whole screen.
inline constexpr int kWholeScreenReleasePixels = 2;

// The part of a screen_width x screen_height screen that 131 reads after the
// overlay's release (overlay_state.h): the rectangle between press and release,
// upright and cut to the screen, or the whole screen after a release without a
// drag or within kWholeScreenReleasePixels of the press. Never empty.
CaptureRegion scan_region(bool has_region, CaptureRegion region, int screen_width,
                          int screen_height);

// A scan shows its progress window only once it has run this long.
inline constexpr uint64_t kScanProgressDelayMs = 250;
// The scan's amount of work is not known: the bar fills in steps of this many
// milliseconds and starts again, to show the scan is alive.
inline constexpr int kScanBarSteps = 10;
inline constexpr uint64_t kScanBarStepMs = 100;

bool scan_progress_due(uint64_t elapsed_ms);
// The bar's position from 0 to kScanBarSteps.
int scan_bar_position(uint64_t elapsed_ms);

// The index page of "すべて書き出し..." for found designs has rows of up to this many.
inline constexpr int kFoundPageColumns = 4;
int found_page_columns(int count);
