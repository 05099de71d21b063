#pragma once

#include <cstdint>

#include "decode_error.h"

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
