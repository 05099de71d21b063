// PNG encoding of a picture, by stb with zlib's deflate.
#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

// The PNG file's bytes; empty when stb cannot encode the picture. A grey picture
// (every QR code) is written with one channel: the same pixels, a third of the data.
std::vector<uint8_t> encode_png(const Picture& picture);
