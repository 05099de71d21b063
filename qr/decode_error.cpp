#include "decode_error.h"

const char* decode_error_message(DecodeError error) {
    switch (error) {
        case DecodeError::kNone:
            return "decoded";
        case DecodeError::kNoFormatInformation:
            return "no readable level-M format information";
        case DecodeError::kBlockBeyondCorrection:
            return "a block has more errors than can be corrected";
        case DecodeError::kWrongMode:
            return "the data is not one byte-mode segment";
        case DecodeError::kWrongLength:
            return "the byte segment is not one design record long";
    }
    return "unknown decoding error";
}
