// Arbitrary screenshots through sampling and decoding. Beyond the sanitizers'
// checks: a refusal leaves the record untouched, and a record read from a
// picture re-encodes into a symbol that reads back as the same record.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "decoder.h"
#include "encoder.h"
#include "qr_profile.h"
#include "screenshot_layout.h"
#include "symbol_buffers.h"

namespace {

constexpr uint8_t kSentinel = 0xA5;
constexpr uint8_t kPadding = 0xFF;  // short inputs are padded with white pixels

uint8_t picture[kScreenshotBytes];
uint8_t record[kQrPayloadLength];
uint8_t reread[kQrPayloadLength];

void check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const size_t used = std::min(size, kScreenshotBytes);
    if (used > 0)
        std::memcpy(picture, data, used);
    std::memset(picture + used, kPadding, kScreenshotBytes - used);

    sample_screenshot(picture);
    std::memset(record, kSentinel, sizeof record);
    const int result = decode_qr(record);
    if (result != 0) {
        check(result == -1);
        for (uint8_t b : record)
            check(b == kSentinel);
        return 0;
    }
    check(encode_qr(record) == 0);
    std::memcpy(working_matrix, module_matrix, sizeof working_matrix);  // an exact sampling
    check(decode_qr(reread) == 0);
    check(std::memcmp(record, reread, sizeof record) == 0);
    return 0;
}
