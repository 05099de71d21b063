// Design records for tests: fixed patterns and seeded random bytes.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "qr_profile.h"

using TestRecord = std::array<uint8_t, kQrPayloadLength>;

inline TestRecord zero_record() {
    return TestRecord{};
}

inline TestRecord counting_record() {
    TestRecord r{};
    for (size_t i = 0; i < r.size(); ++i)
        r[i] = static_cast<uint8_t>(i);
    return r;
}

inline TestRecord random_record(uint32_t seed) {
    std::mt19937 rng(seed);
    TestRecord r{};
    for (auto& b : r)
        b = static_cast<uint8_t>(rng() >> 24);
    return r;
}
