// The design-count dialog's rule: a grid of 1 to 40 columns and rows, at most
// 40 designs in all.
#pragma once

inline constexpr int kMaxGridSide = 40;
inline constexpr int kMaxCaptureDesigns = 40;

constexpr bool design_count_allowed(int columns, int rows) {
    return columns >= 1 && rows >= 1 && columns <= kMaxGridSide && rows <= kMaxGridSide &&
           columns * rows <= kMaxCaptureDesigns;
}
