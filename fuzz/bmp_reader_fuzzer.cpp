// Arbitrary files through the BMP reader. Beyond the sanitizers' checks: a
// refusal says why and leaves the picture empty; a picture read has the size it
// claims, and written as a 24-bit file it reads back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "bmp_reader.h"
#include "bmp_writer.h"

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BmpImage image;
    std::string error;
    if (read_bmp(data, size, &image, &error) != 0) {
        check(!error.empty());
        check(image.width == 0 && image.height == 0 && image.rgb.empty());
        return 0;
    }
    check(image.width > 0 && image.height > 0);
    check(image.rgb.size() ==
          size_t{3} * static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    const std::vector<uint8_t> file = encode_bmp24(image);
    BmpImage reread;
    check(read_bmp(file.data(), file.size(), &reread, &error) == 0);
    check(reread.width == image.width && reread.height == image.height);
    check(reread.rgb == image.rgb);
    return 0;
}
