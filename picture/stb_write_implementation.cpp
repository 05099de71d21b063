// The one translation unit that compiles the stb image writer (the reader is
// compiled with the picture reader), for the PNG writer and the test tools. PNG
// output is deflated by zlib at its fastest level, the stage that dominated exports.
#include <zlib.h>

#include <cstdlib>

namespace {

// stb's hook: returns a buffer from malloc (stb frees it) holding the zlib stream.
unsigned char* deflate_with_zlib(unsigned char* data, int data_len, int* out_len, int /*quality*/) {
    uLongf size = compressBound(static_cast<uLong>(data_len));
    auto* out = static_cast<unsigned char*>(std::malloc(size));
    if (out == nullptr)
        return nullptr;
    if (compress2(out, &size, data, static_cast<uLong>(data_len), Z_BEST_SPEED) != Z_OK) {
        std::free(out);
        return nullptr;
    }
    *out_len = static_cast<int>(size);
    return out;
}

}  // namespace

#define STBIW_ZLIB_COMPRESS deflate_with_zlib
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
