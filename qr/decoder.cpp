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

// Where one decode works: the caller's buffers or the process-wide ones.
struct DecodeArea {
    uint8_t* working;  // holds the sampled grid on entry
    uint8_t* modules;
    uint8_t* codewords;
    uint8_t* payload;
};

// Unmasks the sampled grid into the working matrix and marks the function and
// reserved cells over it, so that only data cells keep values below 64.
void unmask_and_mark(const DecodeArea& area, int mask) {
    apply_mask(area.working, area.modules, kQrSide, mask);
    std::memcpy(area.working, area.modules, kQrCells);
    mark_function_patterns_into(area.working);
}

// Collects the bits of the data cells in placement order, eight to a codeword,
// and puts each codeword at its block position in the codeword buffer. The three
// remainder cells at the end of the walk are not read.
void read_codewords(const uint8_t* working, uint8_t* codewords) {
    const uint16_t* cells = data_module_order();
    for (int k = 0; k < kQrTotalCodewords; ++k) {
        unsigned codeword = 0;
        for (int bit = 0; bit < 8; ++bit)
            codeword = (codeword << 1) | (working[cells[8 * k + bit]] & 1u);
        codewords[interleaved_position(k)] = static_cast<uint8_t>(codeword);
    }
}

// Corrects each block's data and EC codewords together; -1 if any block fails.
int correct_blocks(uint8_t* codewords) {
    uint8_t block[kQrLongBlockLength + kQrEcCodewordsPerBlock];
    for (int b = 0; b < kQrBlockCount; ++b) {
        const int length = block_data_length(b);
        uint8_t* data = codewords + block_data_start(b);
        uint8_t* ec = codewords + block_ec_start(b);
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
DecodeError extract_payload(const uint8_t* codewords, uint8_t* record) {
    const uint8_t* p = codewords;
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

DecodeError decode(const DecodeArea& area, uint8_t* record) {
    static_assert(kQrDataCodewords * 8 >= kHeaderBits + 8 * kQrPayloadLength);
    const int mask = read_format_mask(area.working);
    if (mask < 0)
        return DecodeError::kNoFormatInformation;
    unmask_and_mark(area, mask);
    read_codewords(area.working, area.codewords);
    if (correct_blocks(area.codewords) != 0)
        return DecodeError::kBlockBeyondCorrection;
    const DecodeError payload = extract_payload(area.codewords, area.payload);
    if (payload != DecodeError::kNone)
        return payload;
    std::memcpy(record, area.payload, kQrPayloadLength);
    return DecodeError::kNone;
}

}  // namespace

DecodeError decode_qr_with_reason(uint8_t* record, DecoderBuffers& buffers) {
    return decode(
        {buffers.working_matrix, buffers.module_matrix, buffers.codeword_buffer, buffers.payload},
        record);
}

DecodeError decode_qr_with_reason(uint8_t* record) {
    uint8_t payload[kQrPayloadLength];
    return decode({working_matrix, module_matrix, codeword_buffer, payload}, record);
}

int decode_qr(uint8_t* record) {
    return decode_qr_with_reason(record) == DecodeError::kNone ? 0 : -1;
}
