// Reed-Solomon error-correction codewords over GF(256), as QR symbols use them.
#pragma once

#include <cstdint>

inline constexpr int kGeneratorRowWidth = 30;
inline constexpr int kGeneratorRowCount = 11;

// Generator polynomial g_n(x) = (x - alpha^0)...(x - alpha^(n-1)) for the EC
// codeword counts QR uses: the n coefficients below the leading 1, each as its
// exponent of alpha, highest degree first; entries past n are 0.
struct GeneratorRow {
    int degree;
    uint8_t exponent[kGeneratorRowWidth];
};
extern const GeneratorRow kGeneratorPolynomials[kGeneratorRowCount];

// The row of degree n, or nullptr if the table has none.
const GeneratorRow* generator_polynomial(int degree);

// Writes the ec_count EC codewords of `length` data codewords to ec: the
// remainder of data(x) * x^ec_count divided by the generator polynomial.
void compute_ec_codewords(const uint8_t* data, int length, int ec_count, uint8_t* ec);
