// Calls the scan's progress callback often enough and no more: at most every
// few milliseconds, checked by the clock at the points where a scan may pause.
#pragma once

#include <chrono>

#include "design_scanner.h"

class ScanTicker {
  public:
    explicit ScanTicker(const ScanProgress& progress) : progress_(progress) {}

    // False once the callback has asked to stop; from then on always false.
    bool keep_going() {
        if (cancelled_)
            return false;
        if (!progress_)
            return true;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_call_ < kInterval)
            return true;
        last_call_ = now;
        cancelled_ = !progress_();
        return !cancelled_;
    }
    bool cancelled() const { return cancelled_; }

  private:
    // Well inside the 50 ms the callback is promised, whatever one step costs.
    static constexpr std::chrono::milliseconds kInterval{10};

    const ScanProgress& progress_;
    std::chrono::steady_clock::time_point last_call_ = std::chrono::steady_clock::now();
    bool cancelled_ = false;
};
