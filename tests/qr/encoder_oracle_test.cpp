// Our symbols module for module against an independent encoder.
#include <gtest/gtest.h>

#include <qrcodegen/qrcodegen.hpp>
#include <vector>

#include "encoder.h"
#include "matrix_layout.h"
#include "symbol_buffers.h"
#include "test_records.h"

namespace {

using qrcodegen::QrCode;
using qrcodegen::QrSegment;

QrCode reference_symbol(const TestRecord& record, int mask) {
    const std::vector<uint8_t> bytes(record.begin(), record.end());
    const std::vector<QrSegment> segments = {QrSegment::makeBytes(bytes)};
    return QrCode::encodeSegments(segments, QrCode::Ecc::MEDIUM, 19, 19, mask, false);
}

bool is_format_cell(int row, int column) {
    for (int i = 0; i < 15; ++i) {
        if ((kFormatCopy1[i].row == row && kFormatCopy1[i].column == column) ||
            (kFormatCopy2[i].row == row && kFormatCopy2[i].column == column)) {
            return true;
        }
    }
    return false;
}

// Number of modules that differ, skipping the format cells when asked.
int count_differences(const QrCode& reference, bool skip_format_cells) {
    int differences = 0;
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            if (skip_format_cells && is_format_cell(row, column)) continue;
            const bool ours = module_matrix[row * kQrSide + column] & 1;
            if (ours != reference.getModule(column, row)) ++differences;
        }
    }
    return differences;
}

std::vector<TestRecord> oracle_records() {
    std::vector<TestRecord> records = {zero_record(), counting_record()};
    for (uint32_t seed = 1; seed <= 200; ++seed) records.push_back(random_record(seed));
    return records;
}

}  // namespace

TEST(EncoderOracle, EveryRecordMatchesTheReferenceSymbolWithMask3) {
    for (const TestRecord& record : oracle_records()) {
        ASSERT_EQ(encode_qr(record.data()), 0);
        const QrCode reference = reference_symbol(record, 3);
        ASSERT_EQ(reference.getSize(), kQrSide);
        ASSERT_EQ(count_differences(reference, false), 0) << "record starting " << int(record[0]);
    }
}

TEST(EncoderOracle, EveryMaskPatternMatchesOutsideTheFormatCells) {
    const std::vector<TestRecord> records = {zero_record(), counting_record(), random_record(99)};
    for (const TestRecord& record : records) {
        ASSERT_EQ(encode_qr(record.data()), 0);
        for (int mask = 0; mask < 8; ++mask) {
            apply_mask(kQrSide, mask);
            write_format_and_version_info();
            EXPECT_EQ(count_differences(reference_symbol(record, mask), true), 0) << "mask " << mask;
        }
    }
}
