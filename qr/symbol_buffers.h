// The codec's fixed buffers, shared by the encoder, the decoder and the
// window that draws the module matrix. Only one operation uses them at a time.
// A decode off the window's thread, or one that must leave the shown symbol
// alone, brings its own DecoderBuffers (decoder.h) and touches none of these.
//
// The rule for every user of them: whoever fills these buffers takes its result
// out before it next lets messages be handled. A message pumped in between (a
// progress window, a dialog) may paint the window, and the paint encodes the
// record on show into them afresh; nothing may rely on their contents surviving
// a message loop.
#pragma once

#include <cstdint>

#include "qr_profile.h"

// 627 data codewords block after block, then 26 EC codewords per block,
// block after block. Not interleaved.
extern uint8_t codeword_buffer[kQrTotalCodewords];

// The symbol before masking, row-major, row 0 at the top (cell values in qr_profile.h).
extern uint8_t working_matrix[kQrCells];

// The symbol as shown: 0 light, 1 dark in every cell after an encode; no quiet zone.
extern uint8_t module_matrix[kQrCells];
