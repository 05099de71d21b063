// The encoder's codewords: field, generator, capacities, bit stream and EC blocks.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "encoder.h"
#include "gf256.h"
#include "matrix_layout.h"
#include "reed_solomon.h"
#include "symbol_buffers.h"
#include "test_records.h"
#include "version_tables.h"

TEST(FieldTables, HoldTheQrFieldValues) {
    EXPECT_EQ(kGf.exp[0], 1);
    EXPECT_EQ(kGf.exp[8], 0x1D);
    EXPECT_EQ(kGf.exp[25], 0x03);
    EXPECT_EQ(kGf.exp[254], 0x8E);
    EXPECT_EQ(kGf.log[0x1D], 8);
    for (int k = 0; k < kGfOrder; ++k) EXPECT_EQ(kGf.log[kGf.exp[k]], k);
}

TEST(GeneratorPolynomials, MatchTheStandardRows) {
    const std::array<int, 7> row7 = {87, 229, 146, 149, 238, 102, 21};
    const GeneratorRow* g7 = generator_polynomial(7);
    ASSERT_NE(g7, nullptr);
    for (int j = 0; j < 7; ++j) EXPECT_EQ(g7->exponent[j], row7[j]);
    EXPECT_EQ(g7->exponent[7], 0);

    const std::array<int, 5> row26_start = {173, 125, 158, 2, 103};
    const GeneratorRow* g26 = generator_polynomial(26);
    ASSERT_NE(g26, nullptr);
    for (int j = 0; j < 5; ++j) EXPECT_EQ(g26->exponent[j], row26_start[j]);
    EXPECT_EQ(generator_polynomial(8), nullptr);
}

TEST(VersionTables, CapacitiesLeadToVersion19) {
    EXPECT_EQ(data_codeword_count(1), 16);
    EXPECT_EQ(data_codeword_count(18), 563);
    EXPECT_EQ(data_codeword_count(19), 627);
    EXPECT_EQ(byte_capacity(18), 560);
    EXPECT_EQ(byte_capacity(19), 624);
    EXPECT_EQ(smallest_version_for(620), 19);
    EXPECT_EQ(smallest_version_for(561), 19);
    EXPECT_EQ(smallest_version_for(560), 18);
    EXPECT_EQ(smallest_version_for(625), -1);
}

TEST(DataCodewords, ZeroRecordHasHeaderZerosAndPads) {
    const TestRecord record = zero_record();
    ASSERT_EQ(encode_qr(record.data()), 0);
    EXPECT_EQ(codeword_buffer[0], 0x40);
    EXPECT_EQ(codeword_buffer[1], 0x26);
    EXPECT_EQ(codeword_buffer[2], 0xC0);
    for (int k = 3; k <= 622; ++k) ASSERT_EQ(codeword_buffer[k], 0x00) << "codeword " << k;
    EXPECT_EQ(codeword_buffer[623], 0xEC);
    EXPECT_EQ(codeword_buffer[624], 0x11);
    EXPECT_EQ(codeword_buffer[625], 0xEC);
    EXPECT_EQ(codeword_buffer[626], 0x11);
}

TEST(DataCodewords, CountingRecordIsShiftedByFourBits) {
    const TestRecord record = counting_record();
    ASSERT_EQ(encode_qr(record.data()), 0);
    const std::array<uint8_t, 6> start = {0x40, 0x26, 0xC0, 0x00, 0x10, 0x20};
    for (size_t k = 0; k < start.size(); ++k) EXPECT_EQ(codeword_buffer[k], start[k]);
    EXPECT_EQ(codeword_buffer[622], 0xB0);
    for (int k = 3; k <= 621; ++k) {
        ASSERT_EQ(codeword_buffer[k], ((record[k - 3] & 0x0F) << 4) | (record[k - 2] >> 4));
    }
}

TEST(ErrorCorrection, ZeroRecordBlocks) {
    const TestRecord record = zero_record();
    ASSERT_EQ(encode_qr(record.data()), 0);
    const std::array<uint8_t, 26> block0 = {0x92, 0x94, 0x91, 0xAE, 0xF6, 0xE3, 0x63, 0xFB, 0xAC,
                                            0xEE, 0xF0, 0x17, 0x7C, 0xA5, 0xC9, 0xE3, 0xEE, 0x0F,
                                            0x16, 0xA8, 0x56, 0x2B, 0xBC, 0x79, 0x7D, 0xDE};
    for (int j = 0; j < 26; ++j) EXPECT_EQ(codeword_buffer[627 + j], block0[j]) << j;
    for (int b = 1; b <= 12; ++b) {
        for (int j = 0; j < 26; ++j) ASSERT_EQ(codeword_buffer[627 + 26 * b + j], 0) << b;
    }
    const std::array<uint8_t, 8> block13 = {0xA4, 0xF7, 0xB3, 0x6C, 0x0E, 0x47, 0x07, 0xDD};
    for (int j = 0; j < 8; ++j) EXPECT_EQ(codeword_buffer[627 + 26 * 13 + j], block13[j]);
}

// Evaluating the codeword polynomial at the generator's roots must give zero.
TEST(ErrorCorrection, EveryBlockIsACodeword) {
    const TestRecord record = random_record(7);
    ASSERT_EQ(encode_qr(record.data()), 0);
    for (int b = 0; b < kQrBlockCount; ++b) {
        std::vector<uint8_t> block(codeword_buffer + block_data_start(b),
                                   codeword_buffer + block_data_start(b) + block_data_length(b));
        block.insert(block.end(), codeword_buffer + block_ec_start(b),
                     codeword_buffer + block_ec_start(b) + 26);
        for (int root = 0; root < 26; ++root) {
            uint8_t value = 0;
            for (uint8_t c : block) value = gf_multiply(value, gf_power_of_alpha(root)) ^ c;
            ASSERT_EQ(value, 0) << "block " << b << " root " << root;
        }
    }
}

TEST(Interleaving, DataThenLongBlockTailsThenEc) {
    EXPECT_EQ(interleaved_position(0), 0);
    EXPECT_EQ(interleaved_position(1), 44);  // block 1's first codeword
    EXPECT_EQ(interleaved_position(13), block_data_start(13));
    EXPECT_EQ(interleaved_position(14), 1);
    // Position 44 exists only in blocks 3..13.
    EXPECT_EQ(interleaved_position(616), block_data_start(3) + 44);
    EXPECT_EQ(interleaved_position(626), 626);  // block 13's last codeword
    EXPECT_EQ(interleaved_position(627), 627);  // block 0's first EC codeword
    EXPECT_EQ(interleaved_position(990), 990);
    std::vector<bool> seen(kQrTotalCodewords);
    for (int k = 0; k < kQrTotalCodewords; ++k) seen[interleaved_position(k)] = true;
    for (int k = 0; k < kQrTotalCodewords; ++k) EXPECT_TRUE(seen[k]) << k;
}
