// Damaged symbols: within the correction capacity they read back exactly;
// beyond it they are refused, never read as a wrong record.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "decoder.h"
#include "encoder.h"
#include "matrix_layout.h"
#include "screenshot_drawing.h"
#include "symbol_buffers.h"
#include "test_records.h"

namespace {

constexpr int kCorrectable = kQrEcCodewordsPerBlock / 2;  // 13 codewords per block

int block_length(int b) {
    return block_data_length(b) + kQrEcCodewordsPerBlock;
}

// Codeword-buffer position of codeword i of block b, data first, then EC.
int block_position(int b, int i) {
    const int data = block_data_length(b);
    return i < data ? block_data_start(b) + i : block_ec_start(b) + i - data;
}

int block_of_position(int position) {
    if (position >= kQrDataCodewords)
        return (position - kQrDataCodewords) / kQrEcCodewordsPerBlock;
    int b = 0;
    while (position >= block_data_start(b) + block_data_length(b))
        ++b;
    return b;
}

// The eight cells of a codeword, most significant bit first.
const uint16_t* codeword_cells(int position) {
    static const std::array<int, kQrTotalCodewords> placed_as = [] {
        std::array<int, kQrTotalCodewords> k_of{};
        for (int k = 0; k < kQrTotalCodewords; ++k)
            k_of[interleaved_position(k)] = k;
        return k_of;
    }();
    return data_module_order() + 8 * placed_as[position];
}

// Flips the modules under the set bits of `pattern` in one codeword of the module matrix.
void damage_codeword(int position, uint8_t pattern) {
    const uint16_t* cells = codeword_cells(position);
    for (int bit = 0; bit < 8; ++bit) {
        if ((pattern >> (7 - bit)) & 1)
            module_matrix[cells[bit]] ^= 1;
    }
}

// Damages `count` distinct codewords of block b, each in 1 to 8 of its bits.
void damage_block(int b, int count, std::mt19937& rng) {
    std::vector<int> order(static_cast<size_t>(block_length(b)));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), rng);
    for (int e = 0; e < count; ++e)
        damage_codeword(block_position(b, order[static_cast<size_t>(e)]),
                        static_cast<uint8_t>(rng() % 255 + 1));
}

// Flips `count` distinct bits of one format copy.
void damage_format_copy(const ModulePosition* copy, int count, std::mt19937& rng) {
    std::array<int, 15> bits{};
    for (int i = 0; i < 15; ++i)
        bits[static_cast<size_t>(i)] = i;
    std::shuffle(bits.begin(), bits.end(), rng);
    for (int i = 0; i < count; ++i) {
        const ModulePosition p = copy[bits[static_cast<size_t>(i)]];
        module_matrix[p.row * kQrSide + p.column] ^= 1;
    }
}

struct Outcome {
    int decoded = 0;
    int refused = 0;
    int wrong = 0;  // success with bytes other than the record's: never allowed
};

void tally(Outcome& outcome, const TestRecord& expected, bool expect_success) {
    std::vector<uint8_t> record;
    const int result = decode_screenshot(screenshot_of_module_matrix(), record);
    if (result == 0 && !std::equal(expected.begin(), expected.end(), record.begin())) {
        ++outcome.wrong;
    } else if (result == 0) {
        ++outcome.decoded;
    } else {
        ++outcome.refused;
        EXPECT_EQ(record, std::vector<uint8_t>(kQrPayloadLength, 0xA5));
    }
    EXPECT_EQ(result, expect_success ? 0 : -1);
}

}  // namespace

TEST(DecoderDamage, UpTo13CodewordErrorsPerBlockAndAFewFormatBitsAreCorrected) {
    Outcome outcome;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const TestRecord expected = random_record(1000 + seed);
        ASSERT_EQ(encode_qr(expected.data()), 0);
        for (int b = 0; b < kQrBlockCount; ++b)
            damage_block(b, seed % 3 == 0 ? kCorrectable : static_cast<int>(rng() % 14), rng);
        // Up to 3 bits in one copy, or in both.
        damage_format_copy(seed % 2 ? kFormatCopy1 : kFormatCopy2, static_cast<int>(seed % 4), rng);
        if (seed % 5 == 0)
            damage_format_copy(seed % 2 ? kFormatCopy2 : kFormatCopy1, 3, rng);
        tally(outcome, expected, true);
    }
    EXPECT_EQ(outcome.decoded, 60);
}

TEST(DecoderDamage, DamageBeyondCapacityIsRefused) {
    Outcome outcome;
    for (uint32_t seed = 1; seed <= 500; ++seed) {
        std::mt19937 rng(seed);
        const TestRecord expected = random_record(2000 + seed);
        ASSERT_EQ(encode_qr(expected.data()), 0);
        const int overloaded = static_cast<int>(rng() % kQrBlockCount);
        for (int b = 0; b < kQrBlockCount; ++b) {
            const bool over = b == overloaded || rng() % 4 == 0;
            const int count = over ? kCorrectable + 1 + static_cast<int>(rng() % 14)
                                   : static_cast<int>(rng() % (kCorrectable + 1));
            damage_block(b, count, rng);
        }
        tally(outcome, expected, false);
    }
    EXPECT_EQ(outcome.wrong, 0);
    EXPECT_EQ(outcome.refused, 500);
}

TEST(DecoderDamage, FormatInformationBeyondRepairInBothCopiesIsRefused) {
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        const TestRecord expected = random_record(3000 + seed);
        ASSERT_EQ(encode_qr(expected.data()), 0);
        damage_format_copy(kFormatCopy1, 4 + static_cast<int>(seed % 4), rng);
        damage_format_copy(kFormatCopy2, 4 + static_cast<int>(seed % 4), rng);
        std::vector<uint8_t> record;
        const int result = decode_screenshot(screenshot_of_module_matrix(), record);
        // Another valid word may lie within 3 bits, but then the blocks cannot check out.
        EXPECT_EQ(result, -1) << "seed " << seed;
    }
}

TEST(DecoderDamage, RandomModuleFlipsNeverYieldAWrongRecord) {
    Outcome outcome;
    const uint16_t* cells = data_module_order();
    for (uint32_t seed = 1; seed <= 600; ++seed) {
        std::mt19937 rng(seed);
        const TestRecord expected = random_record(4000 + seed);
        ASSERT_EQ(encode_qr(expected.data()), 0);
        const std::vector<uint8_t> clean(module_matrix, module_matrix + kQrCells);
        const int flips = 80 + static_cast<int>(rng() % 140);
        for (int f = 0; f < flips; ++f)
            module_matrix[cells[rng() % kQrDataModules]] ^= 1;

        std::array<int, kQrBlockCount> errors{};
        for (int position = 0; position < kQrTotalCodewords; ++position) {
            const uint16_t* c = codeword_cells(position);
            bool changed = false;
            for (int bit = 0; bit < 8; ++bit)
                changed |= module_matrix[c[bit]] != clean[c[bit]];
            if (changed)
                ++errors[static_cast<size_t>(block_of_position(position))];
        }
        const bool correctable = *std::max_element(errors.begin(), errors.end()) <= kCorrectable;
        tally(outcome, expected, correctable);
    }
    EXPECT_EQ(outcome.wrong, 0);
    // The flip counts straddle the capacity: both outcomes occur.
    EXPECT_GT(outcome.decoded, 100);
    EXPECT_GT(outcome.refused, 100);
}
