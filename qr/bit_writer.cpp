#include "bit_writer.h"

#include "symbol_buffers.h"

namespace {
uint32_t accumulator;
int pending_bits;
int codewords_written;
}  // namespace

void reset_bit_writer() {
    accumulator = 0;
    pending_bits = 0;
    codewords_written = 0;
}

void put_bits(int count, uint32_t value) {
    accumulator = (accumulator << count) | value;
    pending_bits += count;
    while (pending_bits >= 8) {
        codeword_buffer[codewords_written++] =
            static_cast<uint8_t>((accumulator >> (pending_bits - 8)) & 0xFF);
        pending_bits -= 8;
    }
}

int pending_bit_count() {
    return pending_bits;
}

int written_codeword_count() {
    return codewords_written;
}
