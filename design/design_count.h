// The rule for a grid chosen by the user (the design-count dialog, the grid a
// picture is fitted to, the command line's --fit): 1 to 40 columns and rows,
// at most 40 designs in all.
#pragma once

inline constexpr int kMaxGridSide = 40;
inline constexpr int kMaxCaptureDesigns = 40;

constexpr bool design_count_allowed(int columns, int rows) {
    return columns >= 1 && rows >= 1 && columns <= kMaxGridSide && rows <= kMaxGridSide &&
           columns * rows <= kMaxCaptureDesigns;
}
