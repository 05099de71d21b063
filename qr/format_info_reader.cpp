#include "format_info_reader.h"

#include <algorithm>
#include <bit>

#include "matrix_layout.h"
#include "symbol_buffers.h"

static_assert(format_word(kFormatLevelM << 3 | kQrMaskPattern) == kFormatWordMask3);

namespace {

constexpr int kFormatBits = 15;
constexpr int kMaskBits = 3;
constexpr int kMaskField = (1 << kMaskBits) - 1;

uint16_t read_copy(const uint8_t* working, const ModulePosition* copy) {
    unsigned word = 0;
    for (int i = 0; i < kFormatBits; ++i) {
        const uint8_t cell = working[copy[i].row * kQrSide + copy[i].column];
        word |= static_cast<unsigned>(cell & 1) << i;
    }
    return static_cast<uint16_t>(word);
}

int distance(uint16_t a, uint16_t b) {
    return std::popcount(static_cast<unsigned>(a ^ b));
}

}  // namespace

int nearest_format_data(uint16_t copy1, uint16_t copy2) {
    int best_data = -1;
    int best_distance = kFormatBits + 1;
    bool tied = false;
    for (int data = 0; data < kFormatDataWords; ++data) {
        const uint16_t word = format_word(data);
        const int d = std::min(distance(word, copy1), distance(word, copy2));
        if (d < best_distance) {
            best_data = data;
            best_distance = d;
            tied = false;
        } else if (d == best_distance) {
            tied = true;
        }
    }
    if (tied || best_distance > kFormatMaxDistance)
        return -1;
    return best_data;
}

int read_format_mask(const uint8_t* working) {
    const int data =
        nearest_format_data(read_copy(working, kFormatCopy1), read_copy(working, kFormatCopy2));
    if (data < 0 || (data >> kMaskBits) != kFormatLevelM)
        return -1;
    return data & kMaskField;
}

int read_format_mask() {
    return read_format_mask(working_matrix);
}
