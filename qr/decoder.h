#pragma once

#include <cstdint>

// Reads the 400 x 240 screenshot (24-bit blue-green-red pixels, 1200-byte rows
// stored bottom-up) one pixel per module into working_matrix: 1 dark, 0 light.
void sample_screenshot(const uint8_t* pixels);

// Reads the sampled symbol in working_matrix, corrects errors and, when it holds
// a valid version-19 level-M byte segment of exactly 620 bytes, copies them to
// record and returns 0. Otherwise returns -1 and leaves record untouched.
// May overwrite working_matrix, module_matrix and codeword_buffer either way.
int decode_qr(uint8_t* record);
