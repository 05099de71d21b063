// Arbitrary files through the picture reader, every format. Beyond the
// sanitizers' checks: a refusal says why and leaves the picture empty; a picture
// read has the size it claims, within the bound, and its header states it; a BMP reads the same through the
// BMP-only entry; and any picture written as a 24-bit BMP reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bmp_reader.h"
#include "bmp_writer.h"
#include "picture_limits.h"
#include "picture_reader.h"

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

constexpr int64_t kRoundTripPixels = int64_t{1} << 22;

bool is_bmp(const uint8_t* data, size_t size) {
    return size >= 2 && data[0] == 'B' && data[1] == 'M';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Picture image;
    PictureRefusal refusal;
    const int status = read_picture(data, size, &image, &refusal);
    if (is_bmp(data, size)) {
        Picture bmp_only;
        PictureRefusal bmp_refusal;
        check(read_bmp(data, size, &bmp_only, &bmp_refusal) == status);
        check(bmp_only.rgb == image.rgb && bmp_refusal.fault == refusal.fault &&
              bmp_refusal.error == refusal.error);
    }
    if (status != 0) {
        check(status == -1);
        check(refusal.error != PictureError::kNone && !refusal.fault.empty());
        check(image.width == 0 && image.height == 0 && image.rgb.empty());
        return 0;
    }
    check(picture_size_allowed(image.width, image.height));
    int64_t width = 0;
    int64_t height = 0;
    check(picture_header_sides(data, size, &width, &height));
    check(width == image.width && height == image.height);
    check(image.rgb.size() ==
          size_t{3} * static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    if (int64_t{image.width} * image.height > kRoundTripPixels)
        return 0;  // two more copies would not fit the fuzzer's memory limit
    const std::vector<uint8_t> file = encode_bmp24(image);
    Picture reread;
    check(read_picture(file.data(), file.size(), &reread, &refusal) == 0);
    check(reread.width == image.width && reread.height == image.height);
    check(reread.rgb == image.rgb);
    return 0;
}
