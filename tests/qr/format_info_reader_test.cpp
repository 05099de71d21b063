// Format information: the valid words and the nearest-word correction.
#include "format_info_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "matrix_layout.h"
#include "symbol_buffers.h"

namespace {

void write_copy(const ModulePosition* copy, uint16_t word) {
    for (int i = 0; i < 15; ++i)
        working_matrix[copy[i].row * kQrSide + copy[i].column] = (word >> i) & 1;
}

// A 15-bit value at least 4 bits away from every valid word.
uint16_t far_from_every_word() {
    for (unsigned v = 0; v < (1u << 15); ++v) {
        int nearest = 15;
        for (int data = 0; data < kFormatDataWords; ++data)
            nearest = std::min(nearest, std::popcount(v ^ format_word(data)));
        if (nearest >= 4)
            return static_cast<uint16_t>(v);
    }
    return 0;
}

}  // namespace

TEST(FormatInfoReader, WordsMatchTheStandardTable) {
    EXPECT_EQ(format_word(0b00000), 0x5412);  // M, mask 0
    EXPECT_EQ(format_word(0b00011), 0x5B4B);  // M, mask 3
    EXPECT_EQ(format_word(0b01000), 0x77C4);  // L, mask 0
    EXPECT_EQ(format_word(0b11000), 0x355F);  // Q, mask 0
    EXPECT_EQ(format_word(0b10000), 0x1689);  // H, mask 0
    EXPECT_EQ(format_word(0b10111), 0x083B);  // H, mask 7
}

TEST(FormatInfoReader, CorrectsUpToThreeBitsInEitherCopy) {
    const uint16_t garbage = far_from_every_word();
    ASSERT_EQ(nearest_format_data(garbage, garbage), -1);  // nothing within 3 bits
    for (int data = 0; data < kFormatDataWords; ++data) {
        const uint16_t word = format_word(data);
        for (unsigned flips = 0; flips < (1u << 15); ++flips) {
            const int n = std::popcount(flips);
            const uint16_t damaged = static_cast<uint16_t>(word ^ flips);
            if (n <= 3) {
                ASSERT_EQ(nearest_format_data(damaged, damaged), data) << std::hex << flips;
                ASSERT_EQ(nearest_format_data(damaged, garbage), data);
                ASSERT_EQ(nearest_format_data(garbage, damaged), data);
            } else if (n == 4) {
                ASSERT_NE(nearest_format_data(damaged, damaged), data) << std::hex << flips;
            }
        }
    }
}

TEST(FormatInfoReader, RefusesTwoDifferentWordsAtTheSameDistance) {
    EXPECT_EQ(nearest_format_data(format_word(3), format_word(5)), -1);
    EXPECT_EQ(nearest_format_data(format_word(3) ^ 1, format_word(5) ^ 2), -1);
    EXPECT_EQ(nearest_format_data(format_word(3) ^ 1, format_word(5)), 5);
}

TEST(FormatInfoReader, GivesTheMaskOfLevelMSymbolsOnly) {
    std::memset(working_matrix, 0, sizeof working_matrix);
    for (int level = 0; level < 4; ++level) {
        for (int mask = 0; mask < 8; ++mask) {
            const uint16_t word = format_word(level << 3 | mask);
            write_copy(kFormatCopy1, word);
            write_copy(kFormatCopy2, word ^ 0x0421);  // three bits off
            EXPECT_EQ(read_format_mask(), level == kFormatLevelM ? mask : -1);
        }
    }
}
