// Why the picture reader refused a file: a kind, and the exact fault in words.
// The kinds sort the refusals for tests and fuzzers; only kTooLarge changes an
// answer: the window says such a picture is too large, and answers every other
// refusal alike. The command-line tool prints the fault itself.
#pragma once

#include <string>

enum class PictureError {
    kNone,
    kNotAPicture,  // no BMP, PNG or JPEG signature
    kTooLarge,     // sides over picture_size_allowed's bound, or more bytes than any such picture
    kTruncated,    // the file ends before what its headers promise
    kDamaged,      // a check fails: a CRC, the zlib stream, a marker, a run-length stream
    kInvalid,      // a header field no writer sets: sides, planes, masks, offsets
    kUnsupported,  // a valid variant the reader does not take: header size, depth, compression
    kUndecodable,  // the decoder refused what passed our checks
};

struct PictureRefusal {
    PictureError error = PictureError::kNone;
    std::string fault;  // one line, e.g. "damaged PNG file: chunk IDAT fails its CRC check"
};

// Fills *refusal when given; returns -1, the readers' failure.
inline int refuse(PictureRefusal* refusal, PictureError error, std::string fault) {
    if (refusal != nullptr) {
        refusal->error = error;
        refusal->fault = std::move(fault);
    }
    return -1;
}
