// Symbols from an independent encoder (qrcodegen), drawn into screenshots.
#include <gtest/gtest.h>

#include <qrcodegen/qrcodegen.hpp>
#include <string>
#include <vector>

#include "decoder.h"
#include "screenshot_drawing.h"
#include "test_records.h"

namespace {

using qrcodegen::QrCode;
using qrcodegen::QrSegment;

QrCode reference_symbol(const std::vector<QrSegment>& segments, int version, int mask) {
    return QrCode::encodeSegments(segments, QrCode::Ecc::MEDIUM, version, version, mask, false);
}

QrCode reference_symbol(const std::vector<uint8_t>& bytes, int version, int mask) {
    return reference_symbol({QrSegment::makeBytes(bytes)}, version, mask);
}

Screenshot screenshot_of(const QrCode& symbol) {
    Screenshot picture = blank_screenshot();
    draw_symbol(picture, symbol.getSize(),
                [&](int row, int column) { return symbol.getModule(column, row); });
    return picture;
}

std::vector<uint8_t> bytes_of(const TestRecord& r) {
    return {r.begin(), r.end()};
}

void expect_refused(const QrCode& symbol, const char* what) {
    std::vector<uint8_t> record;
    EXPECT_EQ(decode_screenshot(screenshot_of(symbol), record), -1) << what;
    EXPECT_EQ(record, std::vector<uint8_t>(kQrPayloadLength, 0xA5)) << what;
}

}  // namespace

TEST(DecoderOracle, ReadsReferenceSymbolsWithEveryMask) {
    for (int mask = 0; mask < 8; ++mask) {
        for (uint32_t seed = 0; seed < 4; ++seed) {
            const std::vector<uint8_t> expected = bytes_of(random_record(100 * mask + seed));
            const QrCode symbol = reference_symbol(expected, 19, mask);
            ASSERT_EQ(symbol.getMask(), mask);
            std::vector<uint8_t> record;
            ASSERT_EQ(decode_screenshot(screenshot_of(symbol), record), 0) << "mask " << mask;
            EXPECT_EQ(record, expected) << "mask " << mask << ", seed " << seed;
        }
    }
}

TEST(DecoderOracle, RefusesOtherVersionsAndOtherSegments) {
    const std::vector<uint8_t> record = bytes_of(random_record(77));
    const std::vector<uint8_t> shorter(record.begin(), record.begin() + 500);
    for (int mask : {0, 3, 6}) {
        expect_refused(reference_symbol(shorter, 18, mask), "version 18");
        expect_refused(reference_symbol(record, 20, mask), "version 20");
        expect_refused(
            reference_symbol(std::vector<uint8_t>(record.begin(), record.end() - 1), 19, mask),
            "619 bytes");
        std::vector<uint8_t> longer = record;
        longer.push_back(0x42);
        expect_refused(reference_symbol(longer, 19, mask), "621 bytes");
        expect_refused(reference_symbol(
                           {QrSegment::makeAlphanumeric(std::string(900, 'A').c_str())}, 19, mask),
                       "alphanumeric segment");
        expect_refused(reference_symbol({QrSegment::makeBytes(shorter),
                                         QrSegment::makeBytes(std::vector<uint8_t>(120, 1))},
                                        19, mask),
                       "two byte segments");
    }
}
