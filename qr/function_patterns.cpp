#include <cstring>

#include "matrix_layout.h"
#include "symbol_buffers.h"
#include "version_tables.h"

namespace {

constexpr uint8_t L = kCellFunctionLight;
constexpr uint8_t D = kCellFunctionDark;
constexpr uint8_t R = kCellReserved;

// A finder pattern with its separator and the reserved format column beside it.
// Rows 1..8 of columns 1..9 serve the top-left corner, rows 1..8 of columns 0..7
// the top-right one, rows 0..7 of columns 1..9 the bottom-left one.
constexpr uint8_t kFinderTemplate[9][10] = {
    {L, L, L, L, L, L, L, L, L, R}, {L, D, D, D, D, D, D, D, L, R}, {L, D, L, L, L, L, L, D, L, R},
    {L, D, L, D, D, D, L, D, L, R}, {L, D, L, D, D, D, L, D, L, R}, {L, D, L, D, D, D, L, D, L, R},
    {L, D, L, L, L, L, L, D, L, R}, {L, D, D, D, D, D, D, D, L, R}, {L, L, L, L, L, L, L, L, L, R},
};

constexpr int kAlignmentPositions[] = {6, 30, 58, 86};
static_assert(sizeof kAlignmentPositions / sizeof kAlignmentPositions[0] == static_cast<size_t>(4));

constexpr int kSide = kQrSide;
constexpr int kTimingLine = 6;

uint8_t& cell(uint8_t* matrix, int row, int column) {
    return matrix[row * kSide + column];
}

void mark_finders(uint8_t* m) {
    for (int r = 0; r < 8; ++r) {
        std::memcpy(&cell(m, r, 0), &kFinderTemplate[r + 1][1], 9);
        std::memcpy(&cell(m, r, kSide - 8), &kFinderTemplate[r + 1][0], 8);
        std::memcpy(&cell(m, kSide - 8 + r, 0), &kFinderTemplate[r][1], 9);
    }
}

void mark_format_row(uint8_t* m) {
    for (int c = 0; c <= 8; ++c)
        cell(m, 8, c) = R;
    for (int c = kSide - 8; c < kSide; ++c)
        cell(m, 8, c) = R;
}

void mark_version_areas(uint8_t* m) {
    for (int a = kSide - 11; a <= kSide - 9; ++a) {
        for (int b = 0; b <= 5; ++b) {
            cell(m, a, b) = R;
            cell(m, b, a) = R;
        }
    }
}

void mark_timing_patterns(uint8_t* m) {
    for (int k = 8; k <= kSide - 9; ++k) {
        const uint8_t value = (k % 2 == 0) ? D : L;
        cell(m, kTimingLine, k) = value;
        cell(m, k, kTimingLine) = value;
    }
}

bool overlaps_finder(int row, int column) {
    const int last = kAlignmentPositions[kAlignmentCount[kQrVersion] - 1];
    const int first = kAlignmentPositions[0];
    return (row == first && column == first) || (row == first && column == last) ||
           (row == last && column == first);
}

void mark_alignment_pattern(uint8_t* m, int center_row, int center_column) {
    for (int dr = -2; dr <= 2; ++dr) {
        for (int dc = -2; dc <= 2; ++dc) {
            const int ring = dr * dr > dc * dc ? (dr < 0 ? -dr : dr) : (dc < 0 ? -dc : dc);
            cell(m, center_row + dr, center_column + dc) = (ring == 1) ? L : D;
        }
    }
}

void mark_alignment_patterns(uint8_t* m) {
    const int count = kAlignmentCount[kQrVersion];
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            const int row = kAlignmentPositions[i];
            const int column = kAlignmentPositions[j];
            if (!overlaps_finder(row, column))
                mark_alignment_pattern(m, row, column);
        }
    }
}

}  // namespace

void mark_function_patterns_into(uint8_t* matrix) {
    mark_finders(matrix);
    mark_format_row(matrix);
    mark_version_areas(matrix);
    mark_timing_patterns(matrix);
    mark_alignment_patterns(matrix);
}

void mark_function_patterns() {
    mark_function_patterns_into(working_matrix);
}
