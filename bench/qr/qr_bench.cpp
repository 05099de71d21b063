// One screenshot read by our sampler and decoder and by zxing-cpp; one
// 620-byte record encoded as version 19-M with a fixed mask by our encoder,
// qrcodegen and libqrencode.
#include <ZXing/ReadBarcode.h>
#include <benchmark/benchmark.h>
#include <qrencode.h>

#include <algorithm>
#include <qrcodegen/qrcodegen.hpp>
#include <vector>

#include "decoder.h"
#include "encoder.h"
#include "screenshot_drawing.h"
#include "test_records.h"

// Exported by libqrencode 4.1 but left out of its header: encoding with a fixed mask.
extern "C" QRcode* QRcode_encodeMask(QRinput* input, int mask);

namespace {

const TestRecord kRecord = random_record(1);

Screenshot record_screenshot() {
    encode_qr(kRecord.data());
    return screenshot_of_module_matrix();
}

void BM_DecodeScreenshot_Brevane(benchmark::State& state) {
    const Screenshot picture = record_screenshot();
    uint8_t record[kQrPayloadLength];
    for (auto _ : state) {
        sample_screenshot(picture.data());
        const int result = decode_qr(record);
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
    if (!std::equal(kRecord.begin(), kRecord.end(), record))
        state.SkipWithError("wrong record");
}

void BM_DecodeScreenshot_ZXing(benchmark::State& state) {
    // zxing-cpp reads rows top-down: the bottom-up rows are reversed beforehand.
    const Screenshot bottom_up = record_screenshot();
    Screenshot top_down(bottom_up.size());
    for (int y = 0; y < kScreenshotHeight; ++y) {
        std::copy_n(bottom_up.begin() + static_cast<long>(screenshot_pixel_offset(0, y)),
                    kScreenshotRowBytes,
                    top_down.begin() + static_cast<long>(y) * kScreenshotRowBytes);
    }
    const ZXing::ImageView image(top_down.data(), kScreenshotWidth, kScreenshotHeight,
                                 ZXing::ImageFormat::BGR, kScreenshotRowBytes);
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    bool exact = true;
    for (auto _ : state) {
        const ZXing::Result result = ZXing::ReadBarcode(image, hints);
        exact = result.isValid() && result.bytes().size() == kRecord.size() &&
                std::equal(kRecord.begin(), kRecord.end(), result.bytes().begin());
        benchmark::DoNotOptimize(exact);
    }
    if (!exact)
        state.SkipWithError("zxing-cpp did not read the record");
}

void BM_Encode_Brevane(benchmark::State& state) {
    for (auto _ : state) {
        const int result = encode_qr(kRecord.data());
        benchmark::DoNotOptimize(result);
        benchmark::ClobberMemory();
    }
}

void BM_Encode_Qrcodegen(benchmark::State& state) {
    const std::vector<uint8_t> bytes(kRecord.begin(), kRecord.end());
    for (auto _ : state) {
        const std::vector<qrcodegen::QrSegment> segments = {qrcodegen::QrSegment::makeBytes(bytes)};
        const qrcodegen::QrCode symbol = qrcodegen::QrCode::encodeSegments(
            segments, qrcodegen::QrCode::Ecc::MEDIUM, 19, 19, 3, false);
        benchmark::DoNotOptimize(symbol.getModule(0, 0));
    }
}

void BM_Encode_Libqrencode(benchmark::State& state) {
    constexpr int kFixedMask = 3;  // libqrencode's own numbering; fixed, not searched
    for (auto _ : state) {
        QRinput* input = QRinput_new2(19, QR_ECLEVEL_M);
        QRinput_append(input, QR_MODE_8, kQrPayloadLength, kRecord.data());
        QRcode* symbol = QRcode_encodeMask(input, kFixedMask);
        if (symbol == nullptr || symbol->width != kQrSide) {
            state.SkipWithError("libqrencode did not build a version 19 symbol");
            QRinput_free(input);
            break;
        }
        benchmark::DoNotOptimize(symbol->data[0]);
        QRcode_free(symbol);
        QRinput_free(input);
    }
}

}  // namespace

BENCHMARK(BM_DecodeScreenshot_Brevane);
BENCHMARK(BM_DecodeScreenshot_ZXing);
BENCHMARK(BM_Encode_Brevane);
BENCHMARK(BM_Encode_Qrcodegen);
BENCHMARK(BM_Encode_Libqrencode);
