// Laying the codewords out as the 93 x 93 symbol: function patterns, the
// placement walk, data masks, format and version information.
//
// Each step takes the matrices it reads and writes as parameters; the forms
// without them work on the process-wide buffers of symbol_buffers.h.
#pragma once

#include <cstdint>

#include "qr_profile.h"

// Format information for level M, mask 3, with the standard's XOR mask applied.
inline constexpr uint16_t kFormatWordMask3 = 0x5B4B;
// Version information for version 19.
inline constexpr uint32_t kVersionWord = 0x13532;

// Marks finders, separators, format and version areas, timing and alignment
// patterns in a 93 x 93 matrix; every other cell is left as it is.
void mark_function_patterns_into(uint8_t* matrix);
void mark_function_patterns();  // into working_matrix

// The data cells of version 19 (row * 93 + column) in the order the placement
// walk visits them: 7931 entries, the last 3 being the remainder cells.
const uint16_t* data_module_order();

// Codeword-buffer position of the k-th codeword in interleaved (placement) order.
int interleaved_position(int k);

// Writes the interleaved codewords (block layout, as in codeword_buffer) into
// the data cells (value 0) of a marked working matrix, most significant bit first.
void place_codewords(const uint8_t* codewords, uint8_t* working);
void place_codewords();  // codeword_buffer into working_matrix

// Whether data mask `mask` (0..7) inverts the module at row i, column j.
constexpr bool mask_inverts(int mask, int i, int j) {
    switch (mask) {
        case 0:
            return (i + j) % 2 == 0;
        case 1:
            return i % 2 == 0;
        case 2:
            return j % 3 == 0;
        case 3:
            return (i + j) % 3 == 0;
        case 4:
            return (i / 2 + j / 3) % 2 == 0;
        case 5:
            return (i * j) % 2 + (i * j) % 3 == 0;
        case 6:
            return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
        case 7:
            return ((i + j) % 2 + (i * j) % 3) % 2 == 0;
        default:
            return false;
    }
}

// modules[i][j] = working[i][j] & 1 for rows and columns below size, inverted
// on data cells where the mask condition holds.
void apply_mask(const uint8_t* working, uint8_t* modules, int size, int mask);
void apply_mask(int size, int mask);  // working_matrix into module_matrix

// Module coordinates of the two copies of the 15-bit format information:
// bit i of the word lives at (row, column) entry i of each copy.
struct ModulePosition {
    uint8_t row;
    uint8_t column;
};
extern const ModulePosition kFormatCopy1[15];
extern const ModulePosition kFormatCopy2[15];

// Writes the dark module, format information (mask 3) and version information
// into a module matrix.
void write_format_and_version_info(uint8_t* modules);
void write_format_and_version_info();  // into module_matrix
