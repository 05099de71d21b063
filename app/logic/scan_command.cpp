#include "scan_command.h"

#include <algorithm>
#include <cstdlib>

ScanAnswer answer_of_scan(bool cancelled, int designs_found) {
    if (cancelled) {
        return ScanAnswer::unchanged;
    }
    return designs_found > 0 ? ScanAnswer::found : ScanAnswer::none_found;
}

void accept_found_designs(ShellState& state, int count) {
    state.display_mode = DisplayMode::found_design;
    state.found = FoundPosition{0, count};
    state.edits_held = false;
}

namespace {

bool steps_found_designs(const ShellState& state) {
    return state.display_mode == DisplayMode::found_design && state.found.count > 1;
}

}  // namespace

bool step_found_design(ShellState& state, bool forward) {
    if (!steps_found_designs(state)) {
        return false;
    }
    const int count = state.found.count;
    state.found.shown = (state.found.shown + (forward ? 1 : count - 1)) % count;
    return true;
}

bool go_to_end_found_design(ShellState& state, bool last) {
    if (!steps_found_designs(state)) {
        return false;
    }
    state.found.shown = last ? state.found.count - 1 : 0;
    return true;
}

CaptureRegion scan_region(bool has_region, CaptureRegion region, int screen_width,
                          int screen_height) {
    const CaptureRegion whole{0, 0, screen_width, screen_height};
    if (!has_region || (std::abs(region.width) <= kWholeScreenReleasePixels &&
                        std::abs(region.height) <= kWholeScreenReleasePixels)) {
        return whole;
    }
    const int left = std::clamp(std::min(region.x, region.x + region.width), 0, screen_width - 1);
    const int top = std::clamp(std::min(region.y, region.y + region.height), 0, screen_height - 1);
    const int right =
        std::clamp(std::max(region.x, region.x + region.width), left + 1, screen_width);
    const int bottom =
        std::clamp(std::max(region.y, region.y + region.height), top + 1, screen_height);
    return CaptureRegion{left, top, right - left, bottom - top};
}

bool scan_progress_due(uint64_t elapsed_ms) {
    return elapsed_ms >= kScanProgressDelayMs;
}

int scan_bar_position(uint64_t elapsed_ms) {
    return static_cast<int>(elapsed_ms / kScanBarStepMs % (kScanBarSteps + 1));
}

int found_page_columns(int count) {
    return std::min(count, kFoundPageColumns);
}
