// Syndromes, Berlekamp-Massey for the error locator, Chien search for its
// roots and Forney's formula for the error values.
#include "reed_solomon_decoder.h"

#include "gf256.h"
#include "reed_solomon.h"

namespace {

constexpr int kMaxEc = kGeneratorRowWidth;  // no generator has a higher degree
// Polynomials below are stored lowest degree first; none exceeds degree kMaxEc.
constexpr int kPolynomialCapacity = kMaxEc + 1;

// r(x) mod g(x), found as the EC codewords the data would have XOR the ones
// received: zero exactly for a valid block. It shares r(x)'s syndromes since
// g(alpha^j) = 0. Highest degree first, like the EC codewords.
bool remainder_is_zero(const uint8_t* block, int data_length, int ec_count, uint8_t* remainder) {
    compute_ec_codewords(block, data_length, ec_count, remainder);
    uint8_t any = 0;
    for (int i = 0; i < ec_count; ++i) {
        remainder[i] ^= block[data_length + i];
        any |= remainder[i];
    }
    return any == 0;
}

// S_j = r(alpha^j) for j = 0 .. ec_count - 1, by Horner's rule over the remainder.
void compute_syndromes(const uint8_t* remainder, int ec_count, uint8_t* syndrome) {
    for (int j = 0; j < ec_count; ++j) {
        const uint8_t root = gf_power_of_alpha(j);
        uint8_t value = 0;
        for (int i = 0; i < ec_count; ++i)
            value = static_cast<uint8_t>(gf_multiply(value, root) ^ remainder[i]);
        syndrome[j] = value;
    }
}

// The shortest linear recurrence that generates the syndromes: the error
// locator Lambda(x) with Lambda(0) = 1. Returns its length L.
int berlekamp_massey(const uint8_t* syndrome, int count, uint8_t* locator) {
    uint8_t previous[kPolynomialCapacity] = {1};
    for (int i = 0; i < kPolynomialCapacity; ++i)
        locator[i] = i == 0 ? 1 : 0;
    int length = 0;
    int shift = 1;
    uint8_t previous_discrepancy = 1;
    for (int n = 0; n < count; ++n) {
        uint8_t discrepancy = syndrome[n];
        for (int i = 1; i <= length; ++i)
            discrepancy ^= gf_multiply(locator[i], syndrome[n - i]);
        if (discrepancy == 0) {
            ++shift;
            continue;
        }
        uint8_t saved[kPolynomialCapacity];
        for (int i = 0; i < kPolynomialCapacity; ++i)
            saved[i] = locator[i];
        const uint8_t factor = gf_divide(discrepancy, previous_discrepancy);
        for (int i = 0; i + shift < kPolynomialCapacity; ++i)
            locator[i + shift] ^= gf_multiply(factor, previous[i]);
        if (2 * length <= n) {
            length = n + 1 - length;
            for (int i = 0; i < kPolynomialCapacity; ++i)
                previous[i] = saved[i];
            previous_discrepancy = discrepancy;
            shift = 1;
        } else {
            ++shift;
        }
    }
    return length;
}

int degree(const uint8_t* polynomial) {
    int d = kPolynomialCapacity - 1;
    while (d > 0 && polynomial[d] == 0)
        --d;
    return d;
}

uint8_t evaluate(const uint8_t* polynomial, int degree_bound, uint8_t x) {
    uint8_t value = 0;
    for (int i = degree_bound; i >= 0; --i)
        value = static_cast<uint8_t>(gf_multiply(value, x) ^ polynomial[i]);
    return value;
}

// Codeword i of an n-codeword block is the coefficient of x^(n - 1 - i); an
// error there has locator X = alpha^(n - 1 - i), a root of Lambda at X^-1.
// Writes the block positions of the roots and returns how many there are.
int chien_search(const uint8_t* locator, int locator_degree, int length, int* positions) {
    int found = 0;
    for (int i = 0; i < length; ++i) {
        const int power = length - 1 - i;
        const uint8_t inverse = gf_power_of_alpha(kGfOrder - power);
        if (evaluate(locator, locator_degree, inverse) == 0) {
            if (found == locator_degree)
                return -1;
            positions[found++] = i;
        }
    }
    return found;
}

// Forney with first root alpha^0: e = X * Omega(X^-1) / Lambda'(X^-1), where
// Omega(x) = S(x) Lambda(x) mod x^ec_count. Returns false for a zero value or
// a vanishing derivative, which no genuine error pattern produces.
bool error_values(const uint8_t* syndrome, int ec_count, const uint8_t* locator, int locator_degree,
                  const int* positions, int count, int length, uint8_t* values) {
    uint8_t evaluator[kMaxEc] = {};
    for (int i = 0; i < ec_count; ++i) {
        for (int k = 0; k <= locator_degree && k <= i; ++k)
            evaluator[i] ^= gf_multiply(syndrome[i - k], locator[k]);
    }
    uint8_t derivative[kPolynomialCapacity] = {};
    for (int k = 1; k <= locator_degree; k += 2)
        derivative[k - 1] = locator[k];
    for (int e = 0; e < count; ++e) {
        const int power = length - 1 - positions[e];
        const uint8_t x = gf_power_of_alpha(power);
        const uint8_t inverse = gf_power_of_alpha(kGfOrder - power);
        const uint8_t denominator = evaluate(derivative, locator_degree, inverse);
        const uint8_t numerator = gf_multiply(x, evaluate(evaluator, ec_count - 1, inverse));
        if (denominator == 0 || numerator == 0)
            return false;
        values[e] = gf_divide(numerator, denominator);
    }
    return true;
}

void apply_errors(uint8_t* block, const int* positions, const uint8_t* values, int count) {
    for (int e = 0; e < count; ++e)
        block[positions[e]] ^= values[e];
}

}  // namespace

int correct_block(uint8_t* block, int data_length, int ec_count) {
    const int length = data_length + ec_count;
    if (generator_polynomial(ec_count) == nullptr || data_length < 0 || length > kMaxRsBlockLength)
        return -1;
    uint8_t remainder[kMaxEc];
    if (remainder_is_zero(block, data_length, ec_count, remainder))
        return 0;

    uint8_t syndrome[kMaxEc];
    compute_syndromes(remainder, ec_count, syndrome);
    uint8_t locator[kPolynomialCapacity];
    const int count = berlekamp_massey(syndrome, ec_count, locator);
    // More errors than half the EC codewords, or a locator whose degree is not
    // the recurrence length, cannot be a correctable pattern.
    if (count > ec_count / 2 || degree(locator) != count)
        return -1;
    int positions[kMaxEc / 2];
    // Fewer roots inside the block than the degree: some error lies outside it.
    if (chien_search(locator, count, length, positions) != count)
        return -1;
    uint8_t values[kMaxEc / 2];
    if (!error_values(syndrome, ec_count, locator, count, positions, count, length, values))
        return -1;

    apply_errors(block, positions, values, count);
    if (!remainder_is_zero(block, data_length, ec_count, remainder)) {
        apply_errors(block, positions, values, count);  // undo
        return -1;
    }
    return count;
}
