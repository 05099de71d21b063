#include "version_tables.h"

const int kEcCodewordsPerBlockM[kMaxVersion + 1] = {0,  10, 16, 26, 18, 24, 16, 18, 22, 22,
                                                    26, 30, 22, 22, 24, 24, 28, 28, 26, 26};
const int kBlockCountM[kMaxVersion + 1] = {0, 1, 1, 1, 2, 2,  4,  4,  4,  5,
                                           5, 5, 8, 9, 9, 10, 10, 11, 13, 14};
const int kAlignmentCount[kMaxVersion + 1] = {0, 0, 2, 2, 2, 2, 2, 3, 3, 3,
                                              3, 3, 3, 3, 4, 4, 4, 4, 4, 4};

namespace {

constexpr int kVersionInfoMinVersion = 7;
constexpr int kVersionInfoModules = 36;
constexpr int kModeIndicatorBits = 4;

// Modules left for data once every function pattern and reserved area is taken.
int raw_data_modules(int version) {
    const int side = 4 * version + 17;
    const int alignment = kAlignmentCount[version];
    int raw = side * (side - 2) - 191;
    if (alignment > 0)
        raw -= 25 * (alignment * alignment - 3);
    if (alignment > 2)
        raw += 10 * (alignment - 2);
    if (version >= kVersionInfoMinVersion)
        raw -= kVersionInfoModules;
    return raw;
}

}  // namespace

int data_codeword_count(int version) {
    return raw_data_modules(version) / 8 - kEcCodewordsPerBlockM[version] * kBlockCountM[version];
}

int byte_count_bits(int version) {
    return version < 10 ? 8 : 16;
}

int byte_capacity(int version) {
    return (8 * data_codeword_count(version) - byte_count_bits(version) - kModeIndicatorBits) / 8;
}

int smallest_version_for(int length) {
    for (int version = 1; version <= kMaxVersion; ++version) {
        if (byte_capacity(version) >= length)
            return version;
    }
    return -1;
}
