#pragma once

#include <cstdint>

// Builds codeword_buffer, working_matrix and module_matrix for the 620 bytes
// at record (exactly 620 are read). Returns 0; -1 only if no version up to 19
// could hold the payload, which cannot happen for 620 bytes.
int encode_qr(const uint8_t* record);
