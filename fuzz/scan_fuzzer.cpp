// Arbitrary pictures through the scanner. The input is two little-endian
// 16-bit sides (each taken modulo kMaxSide, plus one) and then grey pixels,
// top row first; missing pixels are white. Beyond the sanitizers' checks:
// every design reported is one the decoder read, so its record re-encodes into
// a symbol that reads back as itself; records are distinct; corners and
// module sizes are finite; a scan stopped by its progress callback gives nothing.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "decoder.h"
#include "design_scanner.h"
#include "encoder.h"
#include "symbol_buffers.h"

namespace {

constexpr int kMaxSide = 400;  // bounds each run's time
constexpr size_t kHeaderBytes = 4;
constexpr uint8_t kWhite = 0xFF;

void check(bool condition) {
    if (!condition)
        std::abort();
}

Picture picture_from(const uint8_t* data, size_t size) {
    Picture p;
    if (size < kHeaderBytes)
        return p;
    p.width = 1 + (data[0] | data[1] << 8) % kMaxSide;
    p.height = 1 + (data[2] | data[3] << 8) % kMaxSide;
    const size_t pixels = static_cast<size_t>(p.width) * p.height;
    p.rgb.assign(pixels * 3, kWhite);
    for (size_t k = 0; k < pixels && kHeaderBytes + k < size; ++k)
        std::memset(&p.rgb[3 * k], data[kHeaderBytes + k], 3);
    return p;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Picture picture = picture_from(data, size);
    const ScanResult result = scan_designs(picture);
    check(result.outcome == ScanOutcome::finished);
    for (size_t k = 0; k < result.designs.size(); ++k) {
        const ScannedDesign& d = result.designs[k];
        check(std::isfinite(d.module_size) && d.module_size > 0);
        for (const PicturePoint& c : d.corners)
            check(std::isfinite(c.x) && std::isfinite(c.y));
        for (size_t j = 0; j < k; ++j)
            check(result.designs[j].record != d.record);
        RecordBytes reread{};
        encode_qr(d.record.data());
        for (int i = 0; i < kQrCells; ++i)
            working_matrix[i] = module_matrix[i];
        check(decode_qr(reread.data()) == 0 && reread == d.record);
    }
    // A scan short enough never to ask finishes; one that asks stops with nothing.
    const ScanResult stopped = scan_designs(picture, [] { return false; });
    check(stopped.outcome == ScanOutcome::finished ? stopped.designs.size() == result.designs.size()
                                                   : stopped.designs.empty());
    return 0;
}
