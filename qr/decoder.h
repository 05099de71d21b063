#pragma once

#include <cstdint>

#include "decode_error.h"
#include "qr_profile.h"

// Reads the 400 x 240 screenshot (24-bit blue-green-red pixels, 1200-byte rows
// stored bottom-up) one pixel per module into working_matrix: 1 dark, 0 light.
void sample_screenshot(const uint8_t* pixels);

// Reads the sampled symbol in working_matrix, corrects errors and, when it holds
// a valid version-19 level-M byte segment of exactly 620 bytes, copies them to
// record and returns 0. Otherwise returns -1 and leaves record untouched.
// May overwrite working_matrix, module_matrix and codeword_buffer either way.
int decode_qr(uint8_t* record);

// decode_qr that says why it failed: kNone exactly when decode_qr returns 0.
DecodeError decode_qr_with_reason(uint8_t* record);

// The buffers of one decode, owned by its caller. A decode on them touches no
// process-wide buffer and no other shared state, so threads holding a set each
// may decode at once, and the symbol the window shows is left alone. About
// 18 KB: keep one per thread and reuse it rather than put it on a small stack.
struct DecoderBuffers {
    uint8_t working_matrix[kQrCells];  // the sampled grid goes in here: 1 dark, 0 light
    uint8_t module_matrix[kQrCells];
    uint8_t codeword_buffer[kQrTotalCodewords];
    uint8_t payload[kQrPayloadLength];  // the record as read, before it is accepted
};

// decode_qr_with_reason on the caller's buffers: reads the grid sampled into
// buffers.working_matrix, may overwrite all of buffers, and gives the same
// reason and record as the process-wide form would for the same grid.
DecodeError decode_qr_with_reason(uint8_t* record, DecoderBuffers& buffers);
