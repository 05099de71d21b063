// Why a sampled symbol did not give a design record, with one line of text for
// each reason. The window shows a single message whatever the reason; the
// command-line tool names it.
#pragma once

enum class DecodeError {
    kNone,
    kNoFormatInformation,    // neither format copy lies near a valid level-M word
    kBlockBeyondCorrection,  // a block has more errors than its codewords correct
    kWrongMode,              // the segment is not in byte mode
    kWrongLength,            // the byte count is not the design record's length
};

// A short English sentence fragment for the reason, never null.
const char* decode_error_message(DecodeError error);
