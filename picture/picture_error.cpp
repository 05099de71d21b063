#include "picture_error.h"

#include <iterator>

namespace {

// In the order of PictureError.
constexpr const char* kPictureErrorMessages[] = {
    "no error",
    "not a BMP, PNG or JPEG file",
    "picture too large",
    "truncated file",
    "damaged file",
    "invalid picture header",
    "unsupported kind of picture",
    "picture cannot be decoded",
};
static_assert(std::size(kPictureErrorMessages) == static_cast<size_t>(PictureError::kUndecodable) + 1);

}  // namespace

const char* picture_error_message(PictureError error) {
    const auto index = static_cast<size_t>(error);
    return index < std::size(kPictureErrorMessages) ? kPictureErrorMessages[index] : "unknown error";
}

int refuse(PictureRefusal* refusal, PictureError error, std::string fault) {
    if (refusal != nullptr) {
        refusal->error = error;
        refusal->fault = std::move(fault);
    }
    return -1;
}
