// Reading the 15-bit format information of a sampled symbol. Its 5 data bits
// (2 for the error-correction level, 3 for the data mask) are protected by a
// BCH(15, 5) code of minimum distance 7, so up to 3 wrong bits are corrected.
#pragma once

#include <cstdint>

inline constexpr int kFormatDataWords = 32;
inline constexpr int kFormatMaxDistance = 3;
inline constexpr int kFormatLevelM = 0;  // level bits 00
inline constexpr uint16_t kFormatBchGenerator = 0x537;
inline constexpr uint16_t kFormatXorMask = 0x5412;

// The 15-bit word for 5 data bits (level << 3 | mask): data, 10 BCH bits, XOR mask.
constexpr uint16_t format_word(int data) {
    unsigned word = static_cast<unsigned>(data) << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if (word & (1u << bit))
            word ^= static_cast<unsigned>(kFormatBchGenerator) << (bit - 10);
    }
    return static_cast<uint16_t>(((static_cast<unsigned>(data) << 10) | word) ^ kFormatXorMask);
}

// The data bits of the valid word nearest to either copy, or -1 when the
// nearest lies more than kFormatMaxDistance bits away or two different words
// are equally near.
int nearest_format_data(uint16_t copy1, uint16_t copy2);

// Reads both copies from a sampled 93 x 93 grid (bit 0 of each cell, 1 dark).
// Returns the data mask of a level-M symbol, otherwise -1.
int read_format_mask(const uint8_t* working);
int read_format_mask();  // from working_matrix
