// The rule for a grid chosen by the user (the design-count dialog, the grid a
// picture is fitted to, the command line's --fit): 1 to 40 columns and rows,
// at most 40 designs in all.
#pragma once

// Columns and rows of 32 x 32 designs; both at least 1. Every grid of the
// program: a picture's, a capture's, a fitted picture's, an export's.
struct DesignGrid {
    int columns;
    int rows;
};

inline constexpr int kMaxGridSide = 40;
inline constexpr int kMaxChosenDesigns = 40;

constexpr bool design_count_allowed(int columns, int rows) {
    return columns >= 1 && rows >= 1 && columns <= kMaxGridSide && rows <= kMaxGridSide &&
           columns * rows <= kMaxChosenDesigns;
}
