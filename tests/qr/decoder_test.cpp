// Reading our own symbols back from screenshots: sampling, round trips, and
// pictures that must be refused without touching the record.
#include "decoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <thread>
#include <vector>

#include "encoder.h"
#include "matrix_layout.h"
#include "reed_solomon.h"
#include "screenshot_drawing.h"
#include "symbol_buffers.h"
#include "test_records.h"

namespace {

std::vector<uint8_t> as_vector(const TestRecord& r) {
    return {r.begin(), r.end()};
}

Screenshot screenshot_of(const TestRecord& record, int left = kSymbolLeft, int top = kSymbolTop) {
    EXPECT_EQ(encode_qr(record.data()), 0);
    return screenshot_of_module_matrix(left, top);
}

// Expects a refusal that leaves every byte of the record as it was.
void expect_refused(const Screenshot& picture, const char* what) {
    std::vector<uint8_t> record;
    EXPECT_EQ(decode_screenshot(picture, record), -1) << what;
    EXPECT_EQ(record, std::vector<uint8_t>(kQrPayloadLength, 0xA5)) << what;
}

// A mask-3 symbol holding the given 627 data codewords with valid EC blocks.
Screenshot screenshot_of_data_codewords(const uint8_t* data) {
    std::memcpy(codeword_buffer, data, kQrDataCodewords);
    for (int b = 0; b < kQrBlockCount; ++b) {
        compute_ec_codewords(codeword_buffer + block_data_start(b), block_data_length(b),
                             kQrEcCodewordsPerBlock, codeword_buffer + block_ec_start(b));
    }
    std::memset(working_matrix, 0, sizeof working_matrix);
    mark_function_patterns();
    place_codewords();
    apply_mask(kQrSide, kQrMaskPattern);
    write_format_and_version_info();
    return screenshot_of_module_matrix();
}

// Data codewords of one segment with the given mode and count, carrying the
// counting record's bytes after the 20-bit header, then pad codewords.
std::vector<uint8_t> data_codewords(unsigned mode, unsigned count) {
    std::vector<uint8_t> data(kQrDataCodewords, 0);
    const TestRecord payload = counting_record();
    data[0] = static_cast<uint8_t>(mode << 4 | count >> 12);
    data[1] = static_cast<uint8_t>(count >> 4);
    data[2] = static_cast<uint8_t>((count & 0xF) << 4 | payload[0] >> 4);
    for (int k = 1; k < kQrPayloadLength; ++k)
        data[k + 2] = static_cast<uint8_t>((payload[k - 1] & 0xF) << 4 | payload[k] >> 4);
    data[kQrPayloadLength + 2] = static_cast<uint8_t>((payload[619] & 0xF) << 4);
    for (int k = kQrPayloadLength + 3, pad = 0; k < kQrDataCodewords; ++k, pad ^= 1)
        data[k] = pad ? 0x11 : 0xEC;
    return data;
}

}  // namespace

TEST(Decoder, ReadsOwnSymbolsByteExact) {
    std::vector<TestRecord> records = {zero_record(), counting_record()};
    for (uint32_t seed = 1; seed <= 20; ++seed)
        records.push_back(random_record(seed));
    for (const TestRecord& expected : records) {
        std::vector<uint8_t> record;
        ASSERT_EQ(decode_screenshot(screenshot_of(expected), record), 0);
        EXPECT_EQ(record, as_vector(expected));
    }
}

TEST(Sampler, TakesTheTopLeftPixelOfEachModuleBottomUp) {
    struct Case {
        int row, column;
    };
    for (Case c : {Case{0, 0}, Case{0, 92}, Case{92, 0}, Case{92, 92}, Case{40, 17}}) {
        Screenshot picture = blank_screenshot();
        set_pixel(picture, kSymbolLeft + 2 * c.column, kSymbolTop + 2 * c.row, 0, 0, 0);
        sample_screenshot(picture.data());
        for (int cell = 0; cell < kQrCells; ++cell) {
            const int expected = cell == c.row * kQrSide + c.column ? 1 : 0;
            ASSERT_EQ(working_matrix[cell], expected) << "cell " << cell;
        }
    }
}

TEST(Sampler, ASumOf383IsDarkAnd384Light) {
    Screenshot picture = blank_screenshot();
    set_pixel(picture, kSymbolLeft, kSymbolTop, 127, 128, 128);      // 383
    set_pixel(picture, kSymbolLeft + 2, kSymbolTop, 128, 128, 128);  // 384
    set_pixel(picture, kSymbolLeft + 4, kSymbolTop, 255, 128, 0);    // 383
    set_pixel(picture, kSymbolLeft + 6, kSymbolTop, 0, 129, 255);    // 384
    sample_screenshot(picture.data());
    EXPECT_EQ(working_matrix[0], 1);
    EXPECT_EQ(working_matrix[1], 0);
    EXPECT_EQ(working_matrix[2], 1);
    EXPECT_EQ(working_matrix[3], 0);
}

TEST(Decoder, PixelsOtherThanTheSampledOnesMakeNoDifference) {
    const TestRecord expected = random_record(31);
    Screenshot picture = screenshot_of(expected);
    std::mt19937 rng(7);
    for (int y = 0; y < kScreenshotHeight; ++y) {
        for (int x = 0; x < kScreenshotWidth; ++x) {
            const bool sampled = x >= kSymbolLeft && y >= kSymbolTop &&
                                 (x - kSymbolLeft) % 2 == 0 && (y - kSymbolTop) % 2 == 0 &&
                                 x < kSymbolLeft + 2 * kQrSide && y < kSymbolTop + 2 * kQrSide;
            if (!sampled)
                set_pixel(picture, x, y, rng() & 0xFF, rng() & 0xFF, rng() & 0xFF);
        }
    }
    std::vector<uint8_t> record;
    ASSERT_EQ(decode_screenshot(picture, record), 0);
    EXPECT_EQ(record, as_vector(expected));
}

TEST(Decoder, RefusesPicturesWithoutTheSymbolInPlace) {
    expect_refused(blank_screenshot(kWhite), "all light");
    expect_refused(blank_screenshot(kBlack), "all dark");

    const TestRecord record = random_record(5);
    expect_refused(screenshot_of(record, kSymbolLeft + 2, kSymbolTop), "one module right");
    expect_refused(screenshot_of(record, kSymbolLeft - 2, kSymbolTop), "one module left");
    expect_refused(screenshot_of(record, kSymbolLeft, kSymbolTop + 2), "one module down");
    expect_refused(screenshot_of(record, kSymbolLeft, kSymbolTop - 2), "one module up");

    ASSERT_EQ(encode_qr(record.data()), 0);
    const std::vector<uint8_t> m(module_matrix, module_matrix + kQrCells);
    auto drawn = [&](auto dark) {
        Screenshot picture = blank_screenshot();
        draw_symbol(picture, kQrSide, dark);
        return picture;
    };
    const int s = kQrSide - 1;
    expect_refused(drawn([&](int r, int c) { return m[r * kQrSide + (s - c)] != 0; }),
                   "mirrored left to right");
    expect_refused(drawn([&](int r, int c) { return m[(s - r) * kQrSide + c] != 0; }),
                   "mirrored top to bottom");
    expect_refused(drawn([&](int r, int c) { return m[c * kQrSide + r] != 0; }),
                   "mirrored about the diagonal");
    expect_refused(drawn([&](int r, int c) { return m[(s - r) * kQrSide + (s - c)] != 0; }),
                   "rotated half a turn");
    expect_refused(drawn([&](int r, int c) { return m[(s - c) * kQrSide + r] != 0; }),
                   "rotated a quarter turn");
}

TEST(Decoder, AcceptsOnlyOneByteSegmentOfExactly620Bytes) {
    std::vector<uint8_t> record;
    ASSERT_EQ(
        decode_screenshot(screenshot_of_data_codewords(data_codewords(4, 620).data()), record), 0);
    EXPECT_EQ(record, as_vector(counting_record()));

    struct Case {
        unsigned mode, count;
        const char* what;
    };
    for (Case c : {Case{4, 619, "count 619"}, Case{4, 0, "count 0"}, Case{4, 621, "count 621"},
                   Case{4, 624, "count 624"}, Case{4, 0xFFFF, "count 65535"},
                   Case{2, 620, "alphanumeric mode"}, Case{1, 620, "numeric mode"},
                   Case{7, 620, "ECI"}, Case{0, 620, "terminator"}}) {
        expect_refused(screenshot_of_data_codewords(data_codewords(c.mode, c.count).data()),
                       c.what);
    }
}

// Each refusal names its reason; decode_qr's result agrees with the reason.
TEST(Decoder, NamesWhyItRefusedAPicture) {
    auto reason_for = [](const Screenshot& picture) {
        std::vector<uint8_t> record;
        DecodeError reason = DecodeError::kNone;
        EXPECT_NE(decode_screenshot(picture, record, &reason), kEntriesDisagree);
        return reason;
    };
    EXPECT_EQ(reason_for(blank_screenshot(kWhite)), DecodeError::kNoFormatInformation);
    EXPECT_EQ(reason_for(screenshot_of_data_codewords(data_codewords(2, 620).data())),
              DecodeError::kWrongMode);
    EXPECT_EQ(reason_for(screenshot_of_data_codewords(data_codewords(4, 619).data())),
              DecodeError::kWrongLength);
    // The bottom-right quadrant inverted: far more wrong codewords than 14
    // blocks correct, and no format or version information touched.
    Screenshot damaged = screenshot_of(random_record(6));
    const int half = kQrSide / 2;
    for (int y = kSymbolTop + kPixelsPerModule * half; y < kSymbolTop + kPixelsPerModule * kQrSide;
         ++y) {
        for (int x = kSymbolLeft + kPixelsPerModule * half;
             x < kSymbolLeft + kPixelsPerModule * kQrSide; ++x) {
            uint8_t* p = damaged.data() + screenshot_pixel_offset(x, y);
            p[0] = p[1] = p[2] = static_cast<uint8_t>(~p[0]);
        }
    }
    EXPECT_EQ(reason_for(damaged), DecodeError::kBlockBeyondCorrection);

    const DecodeError reasons[] = {DecodeError::kNoFormatInformation,
                                   DecodeError::kBlockBeyondCorrection, DecodeError::kWrongMode,
                                   DecodeError::kWrongLength};
    for (DecodeError a : reasons) {
        for (DecodeError b : reasons) {
            if (a != b) {
                EXPECT_STRNE(decode_error_message(a), decode_error_message(b));
            }
        }
    }
}

// Two decodes at once, each on its own buffers, read each its own record.
TEST(Decoder, DecodesOnTwoThreadsAtOnceWithTheirOwnBuffers) {
    const TestRecord expected[2] = {random_record(41), random_record(42)};
    std::vector<uint8_t> grid[2];  // exact samplings
    for (int t = 0; t < 2; ++t) {
        ASSERT_EQ(encode_qr(expected[t].data()), 0);
        grid[t].assign(module_matrix, module_matrix + kQrCells);
    }
    int wrong[2] = {0, 0};
    auto run = [&](int t) {
        auto buffers = std::make_unique<DecoderBuffers>();
        for (int round = 0; round < 200; ++round) {
            std::memcpy(buffers->working_matrix, grid[t].data(), kQrCells);
            TestRecord record{};
            const DecodeError error = decode_qr_with_reason(record.data(), *buffers);
            wrong[t] += error != DecodeError::kNone || record != expected[t];
        }
    };
    { std::jthread first(run, 0), second(run, 1); }  // both joined here
    EXPECT_EQ(wrong[0] + wrong[1], 0);
}
