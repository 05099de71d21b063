// Calls the scan's progress callback often enough and no more. The scan counts
// its work as it goes, in pixels visited and whole decodes, and calls back once
// either reaches its share, whatever the machine's speed; on a slow machine the
// clock calls back earlier.
#pragma once

#include <chrono>
#include <cstdint>

#include "design_scanner.h"

class ScanTicker {
  public:
    // Work between two calls at the most: on the build machine under 20 ms,
    // well inside the 50 ms the callback is promised (bench/scan shows the gaps).
    static constexpr uint64_t kPixelsPerCall = 1 << 20;
    static constexpr uint64_t kDecodesPerCall = 64;

    ScanTicker(const ScanProgress& progress, ScanWork& work) : progress_(progress), work_(work) {
        work_ = {};
    }

    // Counts work done and calls back when its share is reached. False once
    // the callback has asked to stop; from then on always false.
    bool step(uint64_t pixels) {
        work_.pixels += pixels;
        return due() ? call() : !cancelled_;
    }
    bool decoded() {
        ++work_.decodes;
        return due() ? call() : !cancelled_;
    }
    bool keep_going() { return step(0); }
    bool cancelled() const { return cancelled_; }

  private:
    // The clock is read only every so often: reading it costs more than a pixel.
    static constexpr uint64_t kPixelsPerClockLook = 1 << 14;
    static constexpr std::chrono::milliseconds kInterval{10};

    bool due() {
        if (cancelled_)
            return false;
        const uint64_t pixels = work_.pixels - called_at_.pixels;
        if (pixels >= kPixelsPerCall || work_.decodes - called_at_.decodes >= kDecodesPerCall)
            return true;
        if (work_.pixels - looked_at_ < kPixelsPerClockLook && work_.decodes == called_at_.decodes)
            return false;
        looked_at_ = work_.pixels;
        return std::chrono::steady_clock::now() - last_call_ >= kInterval;
    }
    bool call() {
        called_at_ = work_;
        looked_at_ = work_.pixels;
        last_call_ = std::chrono::steady_clock::now();
        if (progress_)
            cancelled_ = !progress_();
        return !cancelled_;
    }

    const ScanProgress& progress_;
    ScanWork& work_;
    ScanWork called_at_{};
    uint64_t looked_at_ = 0;
    std::chrono::steady_clock::time_point last_call_ = std::chrono::steady_clock::now();
    bool cancelled_ = false;
};
