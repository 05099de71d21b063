// The arithmetic of marking a screen region: where the selection band's lines
// go, the Shift aspect lock, and the region taken at the button's release.
#pragma once

#include <cstdint>

// A point in overlay client pixels, which are screen pixels.
struct CapturePoint {
    int16_t x;
    int16_t y;
};

constexpr bool operator==(CapturePoint a, CapturePoint b) {
    return a.x == b.x && a.y == b.y;
}

// Position of line i (0..parts) of a band running from `from` to `to` along one
// axis: from + (to - from) / parts * i in floating point, division first, the
// sum truncated toward zero. Line 0 is `from`, line `parts` is `to`.
int band_line(int from, int to, int parts, int i);

// The pointer position m cut to the ratio columns:rows against the anchor a,
// inside the rectangle a..m and on m's side of a. Ties keep m's y.
CapturePoint lock_aspect(CapturePoint a, CapturePoint m, int columns, int rows);

// The screen region copied at release: origin at the anchor, signed extents to
// the release point; an extent of 0 becomes 1, so the region is never empty.
// A negative extent mirrors the copy along its axis.
struct CaptureRegion {
    int x;
    int y;
    int width;
    int height;
};
CaptureRegion release_region(CapturePoint anchor, CapturePoint release);
