// Why the picture reader refused a file: a kind, with one line of text for each
// in picture_error_message, and the exact fault in words for the command-line
// tool to print. The window tells a picture too large from any other refusal.
#pragma once

#include <iterator>
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

// A short English sentence fragment for each kind, in the order of PictureError.
inline constexpr const char* kPictureErrorMessages[] = {
    "no error",
    "not a BMP, PNG or JPEG file",
    "picture too large",
    "truncated file",
    "damaged file",
    "invalid picture header",
    "unsupported kind of picture",
    "picture cannot be decoded",
};
static_assert(std::size(kPictureErrorMessages) ==
              static_cast<size_t>(PictureError::kUndecodable) + 1);

constexpr const char* picture_error_message(PictureError error) {
    return kPictureErrorMessages[static_cast<size_t>(error)];
}

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
