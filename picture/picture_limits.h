// The one bound on the size of a picture that either program reads. It is
// checked from a file's header, before any pixel memory is allocated.
#pragma once

#include <cstdint>

#include "picture_error.h"

inline constexpr int kMaxPictureSide = 16384;
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;

// No picture file within the bound needs more bytes than this: 32 bits a pixel,
// plus room for headers and a colour table. Larger files are refused unread.
inline constexpr int64_t kMaxPictureFileBytes = kMaxPicturePixels * 4 + (int64_t{1} << 20);

// Both sides at least 1 and at most kMaxPictureSide, and at most
// kMaxPicturePixels pixels in all.
constexpr bool picture_size_allowed(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

// Sides that are real (at least 1) but over the bound: a picture refused for its
// size alone, which the window reports as such.
constexpr bool picture_size_over_bound(int64_t width, int64_t height) {
    return width >= 1 && height >= 1 && !picture_size_allowed(width, height);
}

// Why sides that picture_size_allowed refuses are refused.
constexpr PictureError size_refusal(int64_t width, int64_t height) {
    return picture_size_over_bound(width, height) ? PictureError::kTooLarge
                                                  : PictureError::kInvalid;
}
