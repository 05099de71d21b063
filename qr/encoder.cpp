#include "encoder.h"

#include <cstring>

#include "bit_writer.h"
#include "matrix_layout.h"
#include "reed_solomon.h"
#include "symbol_buffers.h"
#include "version_tables.h"

namespace {

constexpr uint8_t kPadCodewords[2] = {0xEC, 0x11};
constexpr int kTerminatorBits = 4;

// Mode, count, payload, terminator, bit padding and pad codewords.
void write_data_codewords(const uint8_t* record, int version) {
    const int data_codewords = data_codeword_count(version);
    reset_bit_writer();
    put_bits(4, kQrModeByte);
    put_bits(byte_count_bits(version), kQrPayloadLength);
    for (int i = 0; i < kQrPayloadLength; ++i)
        put_bits(8, record[i]);
    const bool no_room_for_terminator =
        pending_bit_count() > kTerminatorBits && written_codeword_count() >= data_codewords - 1;
    if (!no_room_for_terminator)
        put_bits(kTerminatorBits, 0);
    if (pending_bit_count() > 0)
        put_bits(8 - pending_bit_count(), 0);
    for (int k = 0; written_codeword_count() < data_codewords; k ^= 1) {
        put_bits(8, kPadCodewords[k]);
    }
}

void write_ec_codewords() {
    for (int b = 0; b < kQrBlockCount; ++b) {
        compute_ec_codewords(codeword_buffer + block_data_start(b), block_data_length(b),
                             kQrEcCodewordsPerBlock, codeword_buffer + block_ec_start(b));
    }
}

}  // namespace

int encode_qr(const uint8_t* record) {
    const int version = smallest_version_for(kQrPayloadLength);
    if (version != kQrVersion)
        return -1;  // the layout below is version 19's
    write_data_codewords(record, version);
    write_ec_codewords();

    std::memset(working_matrix, 0, sizeof working_matrix);
    mark_function_patterns();
    place_codewords();
    std::memset(module_matrix, 0, sizeof module_matrix);
    apply_mask(kQrSide, kQrMaskPattern);
    write_format_and_version_info();
    return 0;
}
