// Reading the design record out of the sampled symbol: format information,
// unmasking, the placement walk, de-interleaving, error correction of every
// block and the byte-mode header.
#include "decoder.h"

#include <cstring>

#include "format_info_reader.h"
#include "matrix_layout.h"
#include "qr_profile.h"
#include "reed_solomon_decoder.h"
#include "symbol_buffers.h"

namespace {

constexpr int kModeBits = 4;
constexpr int kCountBits = 16;                       // byte-mode count field from version 10 on
constexpr int kHeaderBits = kModeBits + kCountBits;  // the payload starts 4 bits into codeword 2
static_assert(kHeaderBits % 8 == 4);
// The 4-bit terminator fills the low half of the codeword after the payload's last half.
constexpr int kTerminatorCodeword = (kHeaderBits + 8 * kQrPayloadLength) / 8;
constexpr unsigned kTerminatorField = 0x0F;

uint8_t scratch_record[kQrPayloadLength];

// Unmasks the sampled grid into the working matrix and marks the function and
// reserved cells over it, so that only data cells keep values below 64.
void unmask_and_mark(int mask) {
    apply_mask(kQrSide, mask);
    std::memcpy(working_matrix, module_matrix, sizeof working_matrix);
    mark_function_patterns();
}

// Collects the bits of the data cells in placement order, eight to a codeword,
// and puts each codeword at its block position in codeword_buffer. The three
// remainder cells at the end of the walk are not read.
void read_codewords() {
    const uint16_t* cells = data_module_order();
    for (int k = 0; k < kQrTotalCodewords; ++k) {
        unsigned codeword = 0;
        for (int bit = 0; bit < 8; ++bit)
            codeword = (codeword << 1) | (working_matrix[cells[8 * k + bit]] & 1u);
        codeword_buffer[interleaved_position(k)] = static_cast<uint8_t>(codeword);
    }
}

// Corrects each block's data and EC codewords together; -1 if any block fails.
int correct_blocks() {
    uint8_t block[kQrLongBlockLength + kQrEcCodewordsPerBlock];
    for (int b = 0; b < kQrBlockCount; ++b) {
        const int length = block_data_length(b);
        uint8_t* data = codeword_buffer + block_data_start(b);
        uint8_t* ec = codeword_buffer + block_ec_start(b);
        std::memcpy(block, data, static_cast<size_t>(length));
        std::memcpy(block + length, ec, kQrEcCodewordsPerBlock);
        if (correct_block(block, length, kQrEcCodewordsPerBlock) < 0)
            return -1;
        std::memcpy(data, block, static_cast<size_t>(length));
        std::memcpy(ec, block + length, kQrEcCodewordsPerBlock);
    }
    return 0;
}

// One byte-mode segment whose count is exactly the record's length: a longer
// one would not fit the record, a shorter one would leave part of it stale.
// The terminator must follow it: anything else would start a second segment.
DecodeError extract_payload(uint8_t* record) {
    const uint8_t* p = codeword_buffer;
    const unsigned mode = p[0] >> 4;
    const unsigned count = (p[0] & 0x0Fu) << 12 | static_cast<unsigned>(p[1]) << 4 | p[2] >> 4;
    if (mode != kQrModeByte)
        return DecodeError::kWrongMode;
    if (count != kQrPayloadLength)
        return DecodeError::kWrongLength;
    if ((p[kTerminatorCodeword] & kTerminatorField) != 0)
        return DecodeError::kWrongMode;
    for (int k = 0; k < kQrPayloadLength; ++k)
        record[k] = static_cast<uint8_t>((p[k + 2] & 0x0F) << 4 | p[k + 3] >> 4);
    return DecodeError::kNone;
}

}  // namespace

DecodeError decode_qr_with_reason(uint8_t* record) {
    static_assert(kQrDataCodewords * 8 >= kHeaderBits + 8 * kQrPayloadLength);
    const int mask = read_format_mask();
    if (mask < 0)
        return DecodeError::kNoFormatInformation;
    unmask_and_mark(mask);
    read_codewords();
    if (correct_blocks() != 0)
        return DecodeError::kBlockBeyondCorrection;
    const DecodeError payload = extract_payload(scratch_record);
    if (payload != DecodeError::kNone)
        return payload;
    std::memcpy(record, scratch_record, kQrPayloadLength);
    return DecodeError::kNone;
}

int decode_qr(uint8_t* record) {
    return decode_qr_with_reason(record) == DecodeError::kNone ? 0 : -1;
}
