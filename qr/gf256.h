// Arithmetic in GF(256) with the QR primitive polynomial x^8 + x^4 + x^3 + x^2 + 1
// and generator alpha = 2.
#pragma once

#include <cstdint>

inline constexpr int kGfOrder = 255;  // number of nonzero elements
inline constexpr unsigned kGfPrimitive = 0x11D;

struct GfTables {
    uint8_t exp[2 * kGfOrder];  // alpha^k for k = 0..509: sums of two logs need no reduction
    uint8_t log[256];           // log[0] is never read
};

constexpr GfTables make_gf_tables() {
    GfTables t{};
    unsigned x = 1;
    for (int k = 0; k < kGfOrder; ++k) {
        t.exp[k] = static_cast<uint8_t>(x);
        t.exp[k + kGfOrder] = static_cast<uint8_t>(x);
        t.log[x] = static_cast<uint8_t>(k);
        x <<= 1;
        if (x & 0x100)
            x ^= kGfPrimitive;
    }
    return t;
}

inline constexpr GfTables kGf = make_gf_tables();

constexpr uint8_t gf_multiply(uint8_t a, uint8_t b) {
    if (a == 0 || b == 0)
        return 0;
    return kGf.exp[kGf.log[a] + kGf.log[b]];
}

constexpr uint8_t gf_divide(uint8_t a, uint8_t b) {  // b != 0
    if (a == 0)
        return 0;
    return kGf.exp[kGf.log[a] + kGfOrder - kGf.log[b]];
}

// alpha^e for any e >= 0.
constexpr uint8_t gf_power_of_alpha(int e) {
    return kGf.exp[e % kGfOrder];
}
