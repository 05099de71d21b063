#include "symbol_buffers.h"

uint8_t codeword_buffer[kQrTotalCodewords];
uint8_t working_matrix[kQrCells];
uint8_t module_matrix[kQrCells];
