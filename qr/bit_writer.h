// Appends bit fields to codeword_buffer, most significant bit first.
#pragma once

#include <cstdint>

// Starts a new bit stream at codeword 0.
void reset_bit_writer();

// Appends the low `count` bits of value (count <= 24; value must fit in them).
void put_bits(int count, uint32_t value);

// Bits appended but not yet written out as a codeword (0..7).
int pending_bit_count();

// Codewords written so far.
int written_codeword_count();
