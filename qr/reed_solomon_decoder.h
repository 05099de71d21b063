// Correcting a Reed-Solomon block over GF(256) as QR symbols carry it: data
// codewords followed by the EC codewords that compute_ec_codewords writes
// (generator roots alpha^0 ... alpha^(ec_count - 1)).
#pragma once

#include <cstdint>

inline constexpr int kMaxRsBlockLength = 255;

// Corrects up to ec_count / 2 wrong codewords of the block in place and
// returns how many it corrected. Returns -1 and leaves the block unchanged
// when the errors cannot be located within that limit inside the block.
// ec_count must be a degree of kGeneratorPolynomials and data_length +
// ec_count at most kMaxRsBlockLength.
int correct_block(uint8_t* block, int data_length, int ec_count);
