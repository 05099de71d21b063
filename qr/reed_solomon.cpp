#include "reed_solomon.h"

#include <array>
#include <cstring>

#include "gf256.h"

namespace {

constexpr std::array<int, kGeneratorRowCount> kGeneratorDegrees = {7,  10, 13, 15, 16, 17,
                                                                   18, 20, 22, 24, 26};

// Multiplies out (x - alpha^0)...(x - alpha^(n-1)) and keeps the coefficients
// below the leading 1 as exponents of alpha.
constexpr GeneratorRow make_generator_row(int degree) {
    uint8_t coefficient[kGeneratorRowWidth + 1] = {1};  // highest degree first
    for (int i = 0; i < degree; ++i) {
        // Multiply by (x + alpha^i): shift in a zero, add alpha^i times the old polynomial.
        const uint8_t root = gf_power_of_alpha(i);
        for (int k = i + 1; k > 0; --k) {
            coefficient[k] ^= gf_multiply(coefficient[k - 1], root);
        }
    }
    GeneratorRow row{degree, {}};
    for (int k = 0; k < degree; ++k)
        row.exponent[k] = kGf.log[coefficient[k + 1]];
    return row;
}

constexpr std::array<GeneratorRow, kGeneratorRowCount> make_generator_table() {
    std::array<GeneratorRow, kGeneratorRowCount> table{};
    for (int r = 0; r < kGeneratorRowCount; ++r)
        table[r] = make_generator_row(kGeneratorDegrees[r]);
    return table;
}

constexpr auto kGeneratorTable = make_generator_table();

static_assert(kGeneratorTable[0].exponent[0] == 87 && kGeneratorTable[0].exponent[6] == 21);
static_assert(kGeneratorTable[10].exponent[0] == 173 && kGeneratorTable[10].exponent[4] == 103);

// The EC codeword count of this program's symbols, with its products precomputed:
// kFeedbackProducts[f][j] = f * g26[j], so one division step is one row of XORs.
constexpr int kMainDegree = 26;

struct FeedbackProducts {
    uint8_t row[256][kMainDegree];
};

constexpr FeedbackProducts make_feedback_products() {
    FeedbackProducts p{};
    const GeneratorRow& g = kGeneratorTable[kGeneratorRowCount - 1];
    for (int f = 1; f < 256; ++f) {
        for (int j = 0; j < kMainDegree; ++j) {
            p.row[f][j] = kGf.exp[g.exponent[j] + kGf.log[f]];
        }
    }
    return p;
}

constexpr FeedbackProducts kFeedbackProducts = make_feedback_products();

}  // namespace

const GeneratorRow kGeneratorPolynomials[kGeneratorRowCount] = {
    kGeneratorTable[0], kGeneratorTable[1], kGeneratorTable[2], kGeneratorTable[3],
    kGeneratorTable[4], kGeneratorTable[5], kGeneratorTable[6], kGeneratorTable[7],
    kGeneratorTable[8], kGeneratorTable[9], kGeneratorTable[10]};

const GeneratorRow* generator_polynomial(int degree) {
    for (const GeneratorRow& row : kGeneratorPolynomials) {
        if (row.degree == degree)
            return &row;
    }
    return nullptr;
}

void compute_ec_codewords(const uint8_t* data, int length, int ec_count, uint8_t* ec) {
    // Long division as a shift register: ec holds the running remainder.
    std::memset(ec, 0, static_cast<size_t>(ec_count));
    if (ec_count == kMainDegree) {
        for (int i = 0; i < length; ++i) {
            const uint8_t feedback = data[i] ^ ec[0];
            std::memmove(ec, ec + 1, kMainDegree - 1);
            ec[kMainDegree - 1] = 0;
            const uint8_t* products = kFeedbackProducts.row[feedback];
            for (int j = 0; j < kMainDegree; ++j)
                ec[j] ^= products[j];
        }
        return;
    }
    const GeneratorRow* g = generator_polynomial(ec_count);
    for (int i = 0; i < length; ++i) {
        const uint8_t feedback = data[i] ^ ec[0];
        std::memmove(ec, ec + 1, static_cast<size_t>(ec_count - 1));
        ec[ec_count - 1] = 0;
        if (feedback == 0)
            continue;
        const int e = kGf.log[feedback];
        for (int j = 0; j < ec_count; ++j)
            ec[j] ^= kGf.exp[g->exponent[j] + e];
    }
}
