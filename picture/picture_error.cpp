#include "picture_error.h"

const char* picture_error_message(PictureError error) {
    switch (error) {
        case PictureError::kNone:
            return "no error";
        case PictureError::kNotAPicture:
            return "not a BMP, PNG or JPEG file";
        case PictureError::kTooLarge:
            return "picture too large";
        case PictureError::kTruncated:
            return "truncated file";
        case PictureError::kDamaged:
            return "damaged file";
        case PictureError::kInvalid:
            return "invalid picture header";
        case PictureError::kUnsupported:
            return "unsupported kind of picture";
        case PictureError::kUndecodable:
            return "picture cannot be decoded";
    }
    return "unknown error";
}

int refuse(PictureRefusal* refusal, PictureError error, std::string fault) {
    if (refusal != nullptr) {
        refusal->error = error;
        refusal->fault = std::move(fault);
    }
    return -1;
}
