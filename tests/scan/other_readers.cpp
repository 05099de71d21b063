#include "other_readers.h"

#include <cstring>

void keep_if_record(const uint8_t* data, size_t size, std::vector<RecordBytes>& out) {
    if (size != kDesignRecordSize)
        return;
    RecordBytes r;
    std::memcpy(r.data(), data, size);
    out.push_back(r);
}

std::vector<uint8_t> grey_levels(const Picture& picture) {
    std::vector<uint8_t> grey(static_cast<size_t>(picture.width) * picture.height);
    for (size_t k = 0; k < grey.size(); ++k) {
        const uint8_t* p = picture.rgb.data() + 3 * k;
        grey[k] = static_cast<uint8_t>((77 * p[0] + 150 * p[1] + 29 * p[2]) >> 8);
    }
    return grey;
}
