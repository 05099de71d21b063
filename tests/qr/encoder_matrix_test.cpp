// The encoder's symbol: function patterns, placement, masking, format and version cells.
#include <gtest/gtest.h>

#include <string>

#include "encoder.h"
#include "matrix_layout.h"
#include "symbol_buffers.h"
#include "test_records.h"

namespace {

int module(int row, int column) { return module_matrix[row * kQrSide + column] & 1; }

std::string row_bits(int row, int first, int last) {
    std::string s;
    for (int c = first; c <= last; ++c) s += module(row, c) ? '1' : '0';
    return s;
}

std::string column_bits(int column, int first, int last) {
    std::string s;
    for (int r = first; r <= last; ++r) s += module(r, column) ? '1' : '0';
    return s;
}

class EncodedSymbol : public testing::TestWithParam<uint32_t> {
protected:
    void SetUp() override {
        const TestRecord record = GetParam() == 0 ? zero_record() : random_record(GetParam());
        ASSERT_EQ(encode_qr(record.data()), 0);
    }
};

}  // namespace

TEST_P(EncodedSymbol, FixedModulesAreTheSameForEveryRecord) {
    EXPECT_EQ(module(85, 8), 1) << "dark module";
    std::string timing = "11111110";
    for (int k = 8; k <= 84; ++k) timing += k % 2 == 0 ? '1' : '0';
    timing += "01111111";
    EXPECT_EQ(row_bits(6, 0, 92), timing);
    EXPECT_EQ(column_bits(6, 0, 92), timing);
    EXPECT_EQ(row_bits(8, 0, 8), "101101110");
    EXPECT_EQ(column_bits(8, 0, 8), "110100110");
    EXPECT_EQ(row_bits(8, 85, 92), "01001011");
    EXPECT_EQ(column_bits(8, 85, 92), "11101101");
    const char* upper_right[6] = {"010", "011", "001", "010", "110", "010"};
    for (int r = 0; r < 6; ++r) EXPECT_EQ(row_bits(r, 82, 84), upper_right[r]) << r;
    const char* lower_left[3] = {"000010", "110111", "011000"};
    for (int r = 0; r < 3; ++r) EXPECT_EQ(row_bits(82 + r, 0, 5), lower_left[r]) << r;
    for (int i = 0; i < kQrCells; ++i) ASSERT_LE(module_matrix[i], 1) << i;
}

INSTANTIATE_TEST_SUITE_P(Records, EncodedSymbol, testing::Values(0u, 1u, 2u, 3u));

TEST(WorkingMatrix, HasTheVersion19CellCounts) {
    const TestRecord record = random_record(11);
    ASSERT_EQ(encode_qr(record.data()), 0);
    int data = 0, reserved = 0, dark = 0, light = 0;
    for (uint8_t c : working_matrix) {
        if (c <= 1) ++data;
        else if (c == kCellReserved) ++reserved;
        else if (c == kCellFunctionDark) ++dark;
        else if (c == kCellFunctionLight) ++light;
    }
    EXPECT_EQ(data, 7931);
    EXPECT_EQ(reserved, 67);
    EXPECT_EQ(dark, 386);
    EXPECT_EQ(light, 265);
}

TEST(Placement, WalksFromTheBottomRightAndEndsBeforeTheRemainderCells) {
    const uint16_t* order = data_module_order();
    const int first_codeword[8][2] = {{92, 92}, {92, 91}, {91, 92}, {91, 91},
                                      {90, 92}, {90, 91}, {89, 92}, {89, 91}};
    for (int bit = 0; bit < 8; ++bit) {
        EXPECT_EQ(order[bit], first_codeword[bit][0] * kQrSide + first_codeword[bit][1]);
    }
    EXPECT_EQ(order[kQrTotalCodewords * 8 - 1], 80 * kQrSide + 1) << "last codeword bit";
    EXPECT_EQ(order[kQrTotalCodewords * 8], 80 * kQrSide + 0);
    EXPECT_EQ(order[kQrTotalCodewords * 8 + 1], 81 * kQrSide + 1);
    EXPECT_EQ(order[kQrTotalCodewords * 8 + 2], 81 * kQrSide + 0);
}

TEST(ZeroRecordSymbol, MatchesKnownRowsAndDarkCount) {
    const TestRecord record = zero_record();
    ASSERT_EQ(encode_qr(record.data()), 0);
    int dark = 0;
    for (uint8_t m : module_matrix) dark += m & 1;
    EXPECT_EQ(dark, 3130);
    EXPECT_EQ(row_bits(0, 0, 92),
              "111111101100100100100100100100100100100100100100100100100100100100100100100100100"
              "101001111111");
    EXPECT_EQ(row_bits(92, 0, 92),
              "111111101010010010010010101010010010010010010010010010010010010010010010010010010"
              "010010010000");
    EXPECT_EQ(module(80, 0), 0);
    EXPECT_EQ(module(81, 1), 0);
    EXPECT_EQ(module(81, 0), 1);
}

TEST(ApplyMask, InvertsOnlyDataCellsWhereThePatternHolds) {
    const TestRecord record = random_record(5);
    ASSERT_EQ(encode_qr(record.data()), 0);
    for (int mask = 0; mask < 8; ++mask) {
        apply_mask(kQrSide, mask);
        for (int i = 0; i < kQrSide; ++i) {
            for (int j = 0; j < kQrSide; ++j) {
                const uint8_t c = working_matrix[i * kQrSide + j];
                const bool data = (c & kCellFunctionBits) == 0;
                const int expected = (c & 1) ^ (data && mask_inverts(mask, i, j) ? 1 : 0);
                ASSERT_EQ(module(i, j), expected) << "mask " << mask << " at " << i << "," << j;
            }
        }
    }
    // Mask 3 inverts (9, 9) but not (9, 10).
    EXPECT_TRUE(mask_inverts(3, 9, 9));
    EXPECT_FALSE(mask_inverts(3, 9, 10));
}
